// The race loop: one frame after another until the race ends or Escape.
#ifndef TAVUNA_RACE_H
#define TAVUNA_RACE_H

enum race_exit { race_goes_on, race_to_menus, race_to_exit };

race_exit start_race(int mode);
race_exit race_loop();
race_exit race_frame();
void reset_race();

#endif
