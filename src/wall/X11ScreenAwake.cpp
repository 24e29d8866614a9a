#include "wall/X11ScreenAwake.h"

namespace assi {

namespace {

X11HoldWitness* processWitness = nullptr;

// Whether `found` is what a hold over `originals` leaves on the server.
bool leftByHoldOver(const X11ScreenSettings::Originals& found,
                    const X11ScreenSettings::Originals& originals) {
    const bool saverLeft =
        !originals.screenSaver || (found.screenSaver && found.screenSaver->timeout == 0);
    const bool dpmsLeft = !originals.dpms.value_or(false) || found.dpms == false;
    return saverLeft && dpmsLeft;
}

} // namespace

X11ScreenAwake::X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings, X11HoldWitness* witness)
    : m_settings(std::move(settings)), m_witness(witness) {}

X11ScreenAwake::X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings)
    : X11ScreenAwake(std::move(settings), processWitness) {}

X11ScreenAwake::~X11ScreenAwake() {
    release();
}

void X11ScreenAwake::setProcessWitness(X11HoldWitness* witness) {
    processWitness = witness;
}

void X11ScreenAwake::hold() {
    if (m_holding)
        return;
    using Originals = X11ScreenSettings::Originals;
    const std::optional<Originals> recorded =
        m_witness ? m_witness->beginHold() : std::optional<Originals>();
    const Originals found{m_settings->screenSaver(), m_settings->dpmsEnabled()};
    // Switched off by a board that died holding before its guardian could
    // put them back: taken for the originals, that "off" would stay for good.
    m_saved = recorded && leftByHoldOver(found, *recorded) ? *recorded : found;
    // Said before anything changes: a board that dies from here on is put
    // right by the witness, and putting back what is there changes nothing.
    if (m_witness)
        m_witness->holding(m_saved);
    // Before DPMS is switched off: the server forces the display on only
    // while DPMS is enabled.
    m_settings->wakeScreen();
    if (m_saved.screenSaver) {
        X11ScreenSettings::ScreenSaver off = *m_saved.screenSaver;
        off.timeout = 0;
        m_settings->setScreenSaver(off);
    }
    if (m_saved.dpms.value_or(false))
        m_settings->setDpmsEnabled(false);
    // A second line that needs nobody to outlive the board: whoever sets a
    // timeout meanwhile, the server keeps the screen on until we go.
    m_settings->suspendScreenSaver(true);
    m_holding = true;
}

void X11ScreenAwake::release() {
    if (!m_holding)
        return;
    m_settings->suspendScreenSaver(false);
    if (m_saved.screenSaver)
        m_settings->setScreenSaver(*m_saved.screenSaver);
    if (m_saved.dpms.value_or(false))
        m_settings->setDpmsEnabled(true);
    m_holding = false;
    if (m_witness)
        m_witness->released();
}

std::unique_ptr<ScreenAwake> makeX11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings) {
    return std::make_unique<X11ScreenAwake>(std::move(settings));
}

} // namespace assi
