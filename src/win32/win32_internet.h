// WinINet behind the core's InternetSession and UrlReader.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

// InternetOpenW with the system's proxy settings; nullptr when the library cannot be initialised.
// `owner` owns the box that asks for a user name and password when a server or proxy wants them.
std::unique_ptr<InternetSession> OpenInternetSession(const std::string& agent, HWND owner);

}  // namespace korvo::win32
