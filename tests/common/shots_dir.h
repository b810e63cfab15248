// Where tests that take screenshots write them: the folder VORN_SHOTS_DIR names. Without it
// (the default) no pictures are written and the cases that exist only for a picture skip.
#pragma once

#include <QDir>
#include <QString>

namespace shots {

inline QString dir()
{
    return qEnvironmentVariable("VORN_SHOTS_DIR");
}

// Where the picture `name` goes, its folder made; empty when no pictures are wanted.
inline QString path(const QString& name)
{
    const QString d = dir();
    if (d.isEmpty() || !QDir().mkpath(d))
        return {};
    return QDir(d).filePath(name);
}

} // namespace shots
