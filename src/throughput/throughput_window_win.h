// The throughput test window "Quorvel": modeless, single, owned by the main window.
#pragma once

// The throughput key: opens the window, or brings an open one to the front.
void OpenThroughputWindow();
