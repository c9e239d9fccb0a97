// WinINet behind the core's InternetSession and UrlReader.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace korvo::win32 {

// InternetOpenW with the system's proxy settings; nullptr when the library cannot be initialised.
std::unique_ptr<InternetSession> OpenInternetSession(const std::string& agent);

}  // namespace korvo::win32
