#pragma once

// Resource and command identifiers of Vesko Cores, shared by its resource
// script and its code.
#define CORES_MENU 201
#define SAVE_CHART_COMMAND 40101
