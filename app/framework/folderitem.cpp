#include "app/framework/folderitem.h"

#include <QCoreApplication>
#include <QPixmap>

namespace fw {
namespace {
std::filesystem::path& ApplicationFileOverride() {
  static std::filesystem::path path;
  return path;
}
}  // namespace

Picture::Picture(const QPixmap& pixmap) : pixmap_(std::make_unique<QPixmap>(pixmap)) {}
Picture::~Picture() = default;
int Picture::Width() const {
  return pixmap_->width();
}
int Picture::Height() const {
  return pixmap_->height();
}

std::unique_ptr<FolderItem> FolderItem::Parent() const {
  if (!path_.has_relative_path()) return nullptr;
  return std::make_unique<FolderItem>(path_.parent_path());
}

std::unique_ptr<FolderItem> FolderItem::Child(std::string_view name) const {
  return std::make_unique<FolderItem>(path_ / name);
}

std::shared_ptr<const Picture> FolderItem::OpenAsPicture() const {
  QPixmap pixmap;
  if (!pixmap.load(QString::fromStdString(path_.string()))) return nullptr;
  return std::make_shared<const Picture>(pixmap);
}

std::unique_ptr<FolderItem> ApplicationFile() {
  const auto& override = ApplicationFileOverride();
  if (!override.empty()) return std::make_unique<FolderItem>(override);
  const QString path = QCoreApplication::applicationFilePath();
  if (path.isEmpty()) return nullptr;
  return std::make_unique<FolderItem>(std::filesystem::path(path.toStdString()));
}

void SetApplicationFile(std::filesystem::path path) {
  ApplicationFileOverride() = std::move(path);
}

}  // namespace fw
