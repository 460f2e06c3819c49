#pragma once
// Everything in resources/, as the framework looks it up.

#include "framework/resource_module.h"

const ResourceModule& ProgramResources();
