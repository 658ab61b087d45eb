// Installs Windows threads, each holding a reference on the module that runs
// it, behind WorkerThreads.
#pragma once
void InstallWin32WorkerThreads();
