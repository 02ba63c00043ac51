// Brings up the working screen once a construction is ready: the main window
// with its background, and the viewport centred right of its left column.
#pragma once

void ShowMainWindow();

// Where the viewport's left or top edge goes to be centred in a span: the
// nearest integer (halves to even) to (Span - Size) / 2.
int CentredEdge(int Span, int Size);
