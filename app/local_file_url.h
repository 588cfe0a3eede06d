// Local file addresses ("file:///...") and the paths they name. A Linux file
// name is bytes and need not be UTF-8 (names from an old disk are often in a
// legacy code page), so a path goes into and out of an address byte for
// byte, never through decoded text.
#pragma once

#include <QString>
#include <string>

class QUrl;

// The path of a local file address, its percent escapes turned back into
// bytes; empty for any other address.
std::string LocalPathOfUrl(const QUrl& url);

// The "file://" address of an absolute path, every byte outside the
// unreserved characters and "/" percent-escaped.
QString FileUrlOfPath(const std::string& path);
