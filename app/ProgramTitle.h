// The program's title: the first part of every window caption and the caption of its boxes.
#pragma once

inline constexpr const char* ApplicationTitle = "Greetix 3.0";
