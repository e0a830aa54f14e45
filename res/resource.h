// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDD_MAIN 102
