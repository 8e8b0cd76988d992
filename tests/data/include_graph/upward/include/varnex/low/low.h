#pragma once
#include "low/internal.h"
