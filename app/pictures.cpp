#include "app/pictures.h"

#include <string_view>

#include "app/framework/exceptions.h"

namespace app {
namespace {

using PictureCache = std::shared_ptr<const fw::Picture>;

// The picture in cache, or the file read now; a failed read leaves cache empty.
PictureCache Cached(PictureCache& cache, std::string_view fileName) {
  if (cache) return cache;
  const auto resources = GetApplicationBundleResources();
  if (!resources) return nullptr;
  const auto file = resources->Child(fileName);
  if (!file) throw fw::NilObjectException("The picture " + std::string(fileName) + " has no file.");
  cache = file->OpenAsPicture();
  return cache;
}

}  // namespace

std::unique_ptr<fw::FolderItem> GetApplicationBundleResources() {
  const auto executable = fw::ApplicationFile();
  if (!executable) throw fw::NilObjectException("The application's own file is unknown.");
  const auto folder = executable->Parent();
  if (!folder) throw fw::NilObjectException("The application's folder is unknown.");
  const auto bundle = folder->Parent();
  if (!bundle) throw fw::NilObjectException("The folder holding the application is unknown.");
  return bundle->Child("Resources");
}

namespace pictures {

std::shared_ptr<const fw::Picture> Kelvane() {
  static PictureCache pic;
  return Cached(pic, "Kelvane.png");
}

std::shared_ptr<const fw::Picture> GenKeys() {
  static PictureCache pic;
  return Cached(pic, "GenKeys.png");
}

std::shared_ptr<const fw::Picture> Encode() {
  static PictureCache pic;
  return Cached(pic, "Encode.png");
}

std::shared_ptr<const fw::Picture> Decode() {
  static PictureCache pic;
  return Cached(pic, "Decode.png");
}

}  // namespace pictures
}  // namespace app
