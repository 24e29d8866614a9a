#pragma once

#include "app/StatusLine.h"

#include <QList>
#include <array>

namespace assi {

/// The settings that are wrong but do not stop the board, gathered from the
/// steps of a start or a refresh that read them. Each step's problems replace
/// what that step found before, so a step a failed refresh did not reach
/// keeps what it found last.
class SettingsProblems {
public:
    /// The settings file itself (not answering, caught halfway), then its sections.
    enum class Step {
        File,
        General,
        RequestLooks,
        BoardLook,
        RequestColumns,
        RequestMarks,
        BoardMarks,
    };

    /// What a change of the whole list brought, by message.
    struct Changes {
        QList<StatusLine::SettingsProblem> found;
        QList<StatusLine::SettingsProblem> gone;
    };

    /// Replaces what `step` found.
    Changes set(Step step, QList<StatusLine::SettingsProblem> problems);
    /// Every step's, in the order of the steps, each message once.
    QList<StatusLine::SettingsProblem> all() const;

private:
    static constexpr int StepCount = int(Step::BoardMarks) + 1;
    std::array<QList<StatusLine::SettingsProblem>, StepCount> m_byStep;
};

} // namespace assi
