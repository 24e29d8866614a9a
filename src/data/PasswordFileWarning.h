#pragma once

#include <QString>
#include <QStringList>

namespace assi {

struct ConnectionPlan;

/// The warning for a file that holds a password ([BaseDados] Senha not empty)
/// and that its group or others may read, naming the file, its mode and the
/// fix; empty when the file is missing, unreadable to us, holds no password or
/// is private to its owner.
QString readablePasswordWarning(const QString& filePath);

/// The warnings for the plan's settings file and catalogue, in that order.
QStringList readablePasswordWarnings(const ConnectionPlan& plan);

} // namespace assi
