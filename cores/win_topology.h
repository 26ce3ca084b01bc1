#pragma once

#include "cores/topology.h"

// Asks the system where each processor sits: GetLogicalProcessorInformationEx
// where the system has it, else GetLogicalProcessorInformation. False when
// neither answers.
bool ReadTopology(Topology* topology);
