#pragma once

#include "data/BoardData.h"

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
    /// Whether some load has not come back yet, the one running or one given
    /// up on: the process must then end without waiting for it.
    virtual bool hasUnfinishedLoads() const { return isBusy(); }

Q_SIGNALS:
    void loaded(const assi::BoardData& data);
};

} // namespace assi
