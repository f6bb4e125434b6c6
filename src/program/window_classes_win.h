// The window classes of the program: the one place that names every window's procedure.
#pragma once

// The five window classes, in order: ZoltexMain, ZoltexBinds, ZoltexEdit, ZoltexSet, ZoltexRemind.
void RegisterWindowClasses();
