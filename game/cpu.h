// The CPU opponent of "Carrier": a path of points sampled once from a
// table of Bezier segments, and the boat placed on it frame by frame.
#ifndef TAVUNA_CPU_H
#define TAVUNA_CPU_H

extern const int pots[26][8];   // the course: 26 cubic segments in a loop
extern int npts;                // path points kept per segment
extern int xs[101], ys[101];    // samples of the segment being built
extern int xpos[2600], ypos[2600];
extern int curspl, curpt;
extern int AI_pos;              // the CPU boat's index on the path
extern float beta;              // the last heading computed
extern float xres, yres;        // the last path step computed

void calc_AI();
int getAI_x(int pos);
int getAI_y(int pos);
float getAI_rot(int pos);
float getAI_xres(int pos);
float getAI_yres(int pos);

void place_cpu();
void advance_cpu();

#endif
