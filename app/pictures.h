// The application's pictures. They are files in the resources folder, read the
// first time a window that shows one is built and kept from then on; a picture
// that could not be read is tried again at the next build.
#pragma once

#include <memory>

#include "app/framework/folderitem.h"

namespace app {

// The folder "Resources" beside the folder that holds the executable, or none.
// Throws fw::NilObjectException when the executable or its folders are unknown.
std::unique_ptr<fw::FolderItem> GetApplicationBundleResources();

namespace pictures {

// Each gives its picture, or none when it cannot be read.
std::shared_ptr<const fw::Picture> Kelvane();  // the product mark of the About box
std::shared_ptr<const fw::Picture> GenKeys();  // above the launcher's "GenKeys"
std::shared_ptr<const fw::Picture> Encode();   // above the launcher's "Encode"
std::shared_ptr<const fw::Picture> Decode();   // above the launcher's "Decode"

}  // namespace pictures
}  // namespace app
