#pragma once
// The maps opened or saved last, newest first, kept in the program's settings
// (~/.config/trasolan/trasolan.conf) from one start to the next.

#include <QStringList>

namespace recent {

inline constexpr int kMaxRecentFiles = 8;

QStringList Files();
// Puts the path (made absolute) first; the oldest beyond the eighth goes.
void Add(const QString& path);
void Remove(const QString& path);
void Clear();

} // namespace recent
