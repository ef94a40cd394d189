#pragma once
#include <string>

namespace pelltest {

// True while a transfer of the download engine, of this process or another,
// still holds the partial file beside `target`: the engine locks
// "<target>.part" for as long as a transfer writes in or beside it, and lets
// go only after its last write, rename or removal. False once the partial
// file is free or gone. For transfers that end without a status (their
// handle freed), which leave no other sign of their end.
bool PartialFileHeld(const std::string& target);

}  // namespace pelltest
