// The common file helpers under the names the end-to-end save cases use.
#ifndef RAVLO_E2E_SCRATCH_FOLDER_H
#define RAVLO_E2E_SCRATCH_FOLDER_H

#include "../common/files.h"
#include "../common/scratch_folder.h"

namespace e2e {

using ::Exists;
using ::ReadFileBytes;
using ::ScratchFolder;
using ::WriteFileBytes;

}  // namespace e2e

#endif
