// The "Area Calculator" and "Volume Calculator" windows: modeless, single, owned by the main
// window.
#pragma once

// The "Area" and "Vol" keys: open the window, or bring an open one to the front.
void OpenAreaWindow();
void OpenVolumeWindow();
