#pragma once

class QPainter;
class QRect;

// A percentage as the lists and the status bar draw it: a frame on a light ground and,
// inside it, the share filled. Nothing is drawn in a rectangle too small for it.
void PaintPercentBar(QPainter& painter, const QRect& bar, int percent);
