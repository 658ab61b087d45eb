// Installs the process heap and kernel mutex behind the memory tracker.
#pragma once
void InstallWin32TrackerSystem();
