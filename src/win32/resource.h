#pragma once
#define IDI_TOLVIK 1
