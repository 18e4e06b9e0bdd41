// Files and pictures.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

class QPixmap;

namespace fw {

class Picture {
 public:
  explicit Picture(const QPixmap& pixmap);
  ~Picture();
  const QPixmap& Pixmap() const { return *pixmap_; }
  int Width() const;
  int Height() const;

 private:
  std::unique_ptr<QPixmap> pixmap_;
};

class FolderItem {
 public:
  explicit FolderItem(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }
  // None at the root.
  std::unique_ptr<FolderItem> Parent() const;
  // The item of that name in this folder; it need not exist.
  std::unique_ptr<FolderItem> Child(std::string_view name) const;
  // None when the file is missing or is not a picture.
  std::shared_ptr<const Picture> OpenAsPicture() const;

 private:
  std::filesystem::path path_;
};

// The application's own executable file.
std::unique_ptr<FolderItem> ApplicationFile();
// Replaces the file ApplicationFile() reports; tests use it to point the
// application at a resources folder of their own. An empty path restores it.
void SetApplicationFile(std::filesystem::path path);

}  // namespace fw
