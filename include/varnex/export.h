// Symbol visibility of the installed interface. The library is built with hidden visibility;
// only declarations marked VARNEX_API are exported from libvarnex.so.
#pragma once

#define VARNEX_API __attribute__((visibility("default")))
