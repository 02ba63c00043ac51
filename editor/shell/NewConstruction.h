// Starting a new, empty construction of the size chosen in the start
// dialog, with every kit of the Kits folder loaded.
#pragma once

void StartConstruction();
