#pragma once

// The fixed parts of the scene, drawn under the camera transform.

// One 10000-unit axis line from the origin: 0 blue up +Z, 1 green along +Y, 2 red along -X.
// Leaves texturing on, whatever it was before.
void drawAxis(int axis);
// The black ground grid of a level: 32 lines each way, the far edges left out.
void drawGrid(int level);
// The black outline of the Stadium's grid at Z = 0.
void drawStadiumBorder();
