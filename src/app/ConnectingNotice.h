#pragma once

#include <QLabel>

namespace assi {

/// "A ligar à base de dados…" over the weekly board until the database first
/// answers: a board started before its server (after a power cut) says what
/// it is waiting for instead of standing empty.
class ConnectingNotice : public QLabel {
    Q_OBJECT
public:
    explicit ConnectingNotice(QWidget* parent);

    /// Centres the words over `area` of the parent, in type sized to the
    /// parent's height.
    void placeOver(const QRect& area);
};

} // namespace assi
