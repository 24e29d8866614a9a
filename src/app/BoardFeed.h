#pragma once

#include "BoardData.h"

#include <QObject>

namespace assi {

/// Where the window gets each refresh's data from. load() returns at once;
/// loaded() follows on the window's thread when the data (or the error) is in.
class BoardFeed : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// Starts loading the board for `today`. Ignored while a load is running.
    virtual void load(const QDate& today) = 0;
    virtual bool isBusy() const = 0;

Q_SIGNALS:
    void loaded(const assi::BoardData& data);
};

} // namespace assi
