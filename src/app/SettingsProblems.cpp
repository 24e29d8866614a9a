#include "app/SettingsProblems.h"

#include <algorithm>
#include <utility>

namespace assi {

namespace {

bool hasMessage(const QList<StatusLine::SettingsProblem>& problems, const QString& message) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const StatusLine::SettingsProblem& p) { return p.message == message; });
}

// What `from` has that `to` lacks.
QList<StatusLine::SettingsProblem> missingFrom(const QList<StatusLine::SettingsProblem>& to,
                                               const QList<StatusLine::SettingsProblem>& from) {
    QList<StatusLine::SettingsProblem> missing;
    for (const StatusLine::SettingsProblem& problem : from) {
        if (!hasMessage(to, problem.message))
            missing.append(problem);
    }
    return missing;
}

} // namespace

SettingsProblems::Changes SettingsProblems::set(Step step,
                                                QList<StatusLine::SettingsProblem> problems) {
    const QList<StatusLine::SettingsProblem> before = all();
    m_byStep[size_t(step)] = std::move(problems);
    const QList<StatusLine::SettingsProblem> after = all();
    return {missingFrom(before, after), missingFrom(after, before)};
}

QList<StatusLine::SettingsProblem> SettingsProblems::all() const {
    QList<StatusLine::SettingsProblem> all;
    for (const QList<StatusLine::SettingsProblem>& problems : m_byStep) {
        for (const StatusLine::SettingsProblem& problem : problems) {
            if (!hasMessage(all, problem.message))
                all.append(problem);
        }
    }
    return all;
}

} // namespace assi
