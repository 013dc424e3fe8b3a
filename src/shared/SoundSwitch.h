// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The master sound switch, read at every sound event.
class SoundSwitch {
public:
    virtual bool SoundOn() const = 0;

protected:
    ~SoundSwitch() = default;
};
