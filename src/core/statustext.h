#pragma once

// The main window's status panels, left to right.
enum class StatusPanel {
    State,    // the browser's load state, the reply check's progress and result, action reports
    Activity, // the hovered link, the probes' activity, the address of a chosen list entry
    Progress, // a probe's download progress
};

// Whether a status text stays until another replaces it, or clears itself after a while. Who
// sends the text knows: a report of what the user just did ("MESSAGE SAVED") clears itself, a
// state ("Complete", "finished - ...") stays.
enum class StatusLife {
    Stays,
    ClearsItself,
};
