#pragma once

// Removes the temporary files that a run ended half-way (killed, or the
// machine stopped) left in the folders the program writes to: the application
// folder, the active skin file's folder and the Skins folder. Only the
// program's own temporary files go, never a file it did not make. Meant for
// the start, once the settings are read.
void RemoveTemporaryLeftovers();
