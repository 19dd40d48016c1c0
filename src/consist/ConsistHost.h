// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "consist/PointerPosition.h"

#include <span>
#include <string>
#include <string_view>

namespace dovrel {

// What the consist editor needs from the main window around it. `Form1` implements it.
class ConsistHost {
public:
    virtual ~ConsistHost() = default;

    // The catalogue the units are chosen from.
    virtual const Catalogue& catalogue() const = 0;
    // The captions of the coupling-filter check boxes `chkCoupler` 1 upward (the template left out).
    virtual std::span<const std::string> couplerCaptions() const = 0;

    // updateCommandAvailability: recompute and apply every command's enabled flag now, from the
    // editor's state as it stands at this call.
    virtual void updateCommandAvailability() = 0;
    // Turn these controls off without recomputing anything else.
    virtual void disableCommands(std::span<const std::string_view> controls) = 0;

    // The main window's outer left and top edges on the screen, in twips (frame position x 15).
    virtual float windowLeftTwips() const = 0;
    virtual float windowTopTwips() const = 0;
    // Move the system mouse pointer (screen pixels).
    virtual void movePointer(PixelPoint point) = 0;
    // The zoom the window shows its twips at, in percent.
    virtual int zoomPercent() const { return 100; }
};

} // namespace dovrel
