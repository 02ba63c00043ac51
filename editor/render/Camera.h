// The camera: what the five numbers of a position do to the picture, and the
// default camera of the current base.
#pragma once

#include "model/Global.h"

// Multiplies the camera transform onto the model-view matrix: back by the
// distance, tilt about x, pan, turn about the base's centre.
void ApplyCamera(const TPosition &Camera);

// Gives the camera the default values for the current base; its name stays.
void ResetCamera(TPosition &Camera);

// The live camera: the last entry of Views.
TPosition &CurrentCamera();

// Re-center: the live camera gets the default values.
void RecenterCamera();
