// The client's side of the protocol's texts: QByteArray views into them and back.
#pragma once

#include <QByteArray>
#include <string>
#include <string_view>

inline std::string_view view_of(const QByteArray &b) { return std::string_view(b.constData(), std::size_t(b.size())); }
inline QByteArray bytes_of(std::string_view s) { return QByteArray(s.data(), int(s.size())); }
