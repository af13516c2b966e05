// The file types offered by the open-media dialogs (the main window's and the file engine's own),
// as pairs of description and patterns.
#pragma once

inline constexpr char kMediaOpenFilter[] =
    "Media Files (all types)\0"
    "*.ifo;*.asf;*.wma;*.wmv;*.avi;*.qt;*.mov;*.mpg;*.mpeg;*.m1v;*.dat;*.mp4;*.divx;*.div;*.ogm;*.wav;*.mpa;"
    "*.mp2;*.mp3;*.au;*.aif;*.aiff;*.snd;*.mid;*.midi;*.rmi;*.ogg;*.ac3\0"
    "Video DVD (*.ifo)\0*.ifo\0"
    "Audio files (*.wav;*.mpa;*.mp2;*.mp3;*.wma;*.mid;*.midi;*.rmi;*.au;*.aif;*.aiff;*.snd;*.ogg;*.ac3)\0"
    "*.wav; *.mpa; *.mp2; *.mp3; *.wma; *.au; *.aif; *.aiff; *.snd; *.ogg; *.ac3;*.mid; *.midi; *.rmi\0"
    "Video Files (*.avi;*.mpg;*.mpeg;*.dat;*.asf;*.wmv;*.mp4;*.ogm;*.divx;*.div;*.m1v)\0"
    "*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat;*.asf;*.wmv; *.mp4; *.divx; *.div; *.ogm\0"
    "Any Files (*.*)\0*.*;\0";
