// Hands a document or a web address to the desktop: "explorer" on Windows, the desktop
// services elsewhere. Tests see the request through the modal seam instead.
#pragma once

#include <QString>

namespace platform_open {

// The program the request names: "explorer" on Windows, "xdg-open" elsewhere.
QString opener();

// A local file, by path; false when the desktop refused it.
bool document(const QString &path);
// A web address.
bool address(const QString &url);

} // namespace platform_open
