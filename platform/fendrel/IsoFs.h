#pragma once
// libisofs with what its header expects to be included first; the packer
// reads the image stream itself, without libburn.
#include <stdint.h>
#include <sys/types.h>
#include <time.h>

#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs.h>
