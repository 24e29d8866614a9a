#pragma once

#include "wall/ScreenAwake.h"
#include "wall/X11ScreenSettings.h"

#include <memory>
#include <optional>

namespace assi {

/// Told of each hold of the X server's settings before it changes anything,
/// and of each release once everything is back, so that what a hold switched
/// off can be put back from outside a board that dies holding.
class X11HoldWitness {
public:
    using Originals = X11ScreenSettings::Originals;

    virtual ~X11HoldWitness() = default;
    /// A hold begins: what a board that died holding had found, when one
    /// left word of it. Other holds on the display wait until holding().
    virtual std::optional<Originals> beginHold() = 0;
    /// What this hold will put back.
    virtual void holding(const Originals& originals) = 0;
    virtual void released() = 0;
};

/// The X server's own blanking and power saving, switched off while held and
/// put back as they were on release.
class X11ScreenAwake : public ScreenAwake {
public:
    /// Reports its holds to `witness` (none: to nobody).
    X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings, X11HoldWitness* witness);
    /// Reports its holds to the process's witness, when there is one.
    explicit X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings);
    ~X11ScreenAwake() override;

    /// The witness of every X11ScreenAwake made from now on without one of
    /// its own; it must outlive them.
    static void setProcessWitness(X11HoldWitness* witness);

    Mechanism mechanism() const override { return Mechanism::X11; }
    bool isHolding() const override { return m_holding; }
    void hold() override;
    void release() override;

private:
    std::unique_ptr<X11ScreenSettings> m_settings;
    X11HoldWitness* m_witness;
    X11ScreenSettings::Originals m_saved;
    bool m_holding = false;
};

} // namespace assi
