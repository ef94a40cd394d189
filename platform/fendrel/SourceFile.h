#pragma once
#include <sys/stat.h>

#include <string>

#include "IsoFs.h"

namespace fendrel {

// Adds a regular file to the image whose content the generator reads in
// large pieces rather than block by block, with the attributes `info` gives.
// The size in `info` is the one recorded: a file that is no longer that size
// when its content is packed, or whose size changes while it is read, fails
// the packing. Returns a libisofs result; the node on success.
int AddSourceFile(IsoImage* image, IsoDir* parent, const std::string& name, const std::string& path,
                  const struct stat& info, IsoNode** node);

}  // namespace fendrel
