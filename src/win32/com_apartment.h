// COM for the shell's functions, started when first needed.
#pragma once

namespace korvo::win32 {

// ShellExecute and the folder browser expect COM on the calling thread. It is initialised on the
// first call rather than at start, where loading COM would delay the menu; it is left when the
// program ends. Call it on Korvo's main thread only, before such a shell call.
void EnsureComForShell();

}  // namespace korvo::win32
