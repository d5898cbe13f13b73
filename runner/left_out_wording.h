// How quorvel-run tells a user what the stand-in host leaves out of an
// item's world position: the words shared by refusals, warnings and the
// verbose item listing.

#ifndef QUORVEL_RUNNER_LEFT_OUT_WORDING_H_
#define QUORVEL_RUNNER_LEFT_OUT_WORDING_H_

#include <cstddef>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

// What `leftOut`, met on the walk from items[measured] up through its
// parents, does to that item, with the line's statement: "it is moved by a
// motion modifier plug-in (\"Plugin ItemMotionHandler 1 LW_Follower\")",
// "its parent \"Hip\" turns by inverse kinematics (\"PController 3\")" or
// "its ancestor \"Rig\" has a pivot rotation (...)". REQUIRES indexes of
// `items`.
std::string leftOutPhrase(const std::vector<scene_eval::ItemSpec>& items, std::size_t measured,
                          const scene_eval::LeftOut& leftOut);

#endif  // QUORVEL_RUNNER_LEFT_OUT_WORDING_H_
