#include "functions/mixer.h"

#include <windows.h>
#include <mmsystem.h>

#include <optional>

#include "functions/volume_step.h"

namespace kl::support {

namespace {

class Mixer {
public:
    Mixer() {
        if (mixerGetNumDevs() == 0 || mixerOpen(&handle_, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            handle_ = nullptr;
    }
    ~Mixer() {
        if (handle_) mixerClose(handle_);
    }
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HMIXEROBJ object() const { return reinterpret_cast<HMIXEROBJ>(handle_); }

    DWORD destinations() const {
        MIXERCAPSA caps{};
        if (mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(handle_), &caps, sizeof caps) != MMSYSERR_NOERROR) return 0;
        return caps.cDestinations;
    }

    // The control of `type` on destination line `index`.
    std::optional<MIXERCONTROLA> control(DWORD index, DWORD type) const {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        line.dwDestination = index;
        if (mixerGetLineInfoA(object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) !=
            MMSYSERR_NOERROR)
            return std::nullopt;
        MIXERCONTROLA control{};
        control.cbStruct = sizeof control;
        MIXERLINECONTROLSA controls{};
        controls.cbStruct = sizeof controls;
        controls.dwLineID = line.dwLineID;
        controls.dwControlType = type;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof control;
        controls.pamxctrl = &control;
        if (mixerGetLineControlsA(object(), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
            MMSYSERR_NOERROR)
            return std::nullopt;
        return control;
    }

    // Controls are read and written as one channel value.
    std::optional<DWORD> read(const MIXERCONTROLA& control) const {
        MIXERCONTROLDETAILS_UNSIGNED value{};
        MIXERCONTROLDETAILS details = Details(control, &value);
        if (mixerGetControlDetailsA(object(), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
            MMSYSERR_NOERROR)
            return std::nullopt;
        return value.dwValue;
    }

    bool write(const MIXERCONTROLA& control, DWORD newValue) const {
        MIXERCONTROLDETAILS_UNSIGNED value{newValue};
        MIXERCONTROLDETAILS details = Details(control, &value);
        return mixerSetControlDetails(object(), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
               MMSYSERR_NOERROR;
    }

private:
    static MIXERCONTROLDETAILS Details(const MIXERCONTROLA& control, MIXERCONTROLDETAILS_UNSIGNED* value) {
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = control.dwControlID;
        details.cChannels = 1;
        details.cbDetails = sizeof *value;
        details.paDetails = value;
        return details;
    }

    HMIXER handle_ = nullptr;
};

struct ReadableControl {
    MIXERCONTROLA control;
    DWORD value;
};

// The first control of `type`, on the destination lines in index order, whose
// value can be read.
std::optional<ReadableControl> FirstReadable(const Mixer& mixer, DWORD type) {
    const DWORD count = mixer.destinations();
    for (DWORD i = 0; i < count; ++i) {
        auto control = mixer.control(i, type);
        if (!control) continue;
        if (auto value = mixer.read(*control)) return ReadableControl{*control, *value};
    }
    return std::nullopt;
}

}  // namespace

void ChangeMasterVolume(bool up) {
    Mixer mixer;
    if (!mixer) return;
    const auto current = FirstReadable(mixer, MIXERCONTROL_CONTROLTYPE_VOLUME);
    if (!current) return;
    const DWORD next = NextVolume(current->value, current->control.Bounds.dwMinimum,
                                  current->control.Bounds.dwMaximum, up);
    const DWORD count = mixer.destinations();
    for (DWORD i = 0; i < count; ++i) {
        auto control = mixer.control(i, MIXERCONTROL_CONTROLTYPE_VOLUME);
        if (control && mixer.write(*control, next)) return;
    }
}

void ToggleMasterMute() {
    Mixer mixer;
    if (!mixer) return;
    if (const auto mute = FirstReadable(mixer, MIXERCONTROL_CONTROLTYPE_MUTE))
        mixer.write(mute->control, mute->value ? 0 : 1);
}

}  // namespace kl::support
