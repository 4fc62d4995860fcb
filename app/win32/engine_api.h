// The engine library as the program binds it: the first five functions by export number,
// QuelbrixFindStop and QuelbrixFindFolderEx by name, through the import library made from
// QuelbrixD_import.def.
#pragma once

#include "quelbrix_engine.h"
