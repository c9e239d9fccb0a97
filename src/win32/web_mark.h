// The mark a downloaded file carries of where it came from.
#pragma once

#include <string>

#include "platform/platform.h"

namespace korvo::win32 {

// Marks the file at `path` as downloaded from `sourceUrl`: through the system's attachment
// services, which apply the user's policy and may scan the file, or, where they are missing, with
// a Zone.Identifier stream of the Internet zone unless the policy keeps no zone information. Call
// on Korvo's main thread.
MarkResult MarkDownloadedFile(const std::string& path, const std::string& sourceUrl);

}  // namespace korvo::win32
