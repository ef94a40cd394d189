#pragma once

namespace fendrel {

// Sets libisofs up for the packer: names are UTF-8 whatever the process
// locale says (the locale itself is left alone), nothing is printed, and a
// source file that cannot be read ends the packing instead of being filled
// with zeros.
bool StartIsoLibrary();
void StopIsoLibrary();

}  // namespace fendrel
