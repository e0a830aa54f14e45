#pragma once
#define IDD_ENGINE 100
