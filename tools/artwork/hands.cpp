// The three hand cursors, drawn pixel by pixel: '#' black outline, 'o' white,
// '.' (or a missing pixel) transparent.
#include "artwork.h"

namespace art {

// Fingers spread with the middle one highest, thumb out to the lower left;
// the hot spot (8, 8) is the middle of the palm.
MonoArt OpenHandArt()
{
    return {
        "......##........",
        ".....#oo###.....",
        "...###oo#oo#....",
        "..#oo#oo#oo#....",
        "..#oo#oo#oo###..",
        "..#oo#oo#oo#oo#.",
        "..#oo#oo#oo#oo#.",
        "..#ooooooooooo#.",
        "..#ooooooooooo#.",
        ".#oooooooooooo#.",
        "#ooo#ooooooooo#.",
        "#oo#ooooooooo#..",
        ".##.#oooooooo#..",
        "....#ooooooo#...",
        ".....#oooooo#...",
        ".....########...",
    };
}

// The same hand closed round what it drags: knuckles on top from row 4,
// the thumb tucked on the left, the wrist where the open hand has it.
MonoArt ClosedHandArt()
{
    return {
        "",
        "",
        "",
        "",
        "...##.##.##.##..",
        "..#oo#oo#oo#oo#.",
        "..#oo#oo#oo#oo#.",
        ".##ooooooooooo#.",
        "#oo#oooooooooo#.",
        "#ooo#ooooooooo#.",
        ".#oooooooooooo#.",
        "..#ooooooooooo#.",
        "...#ooooooooo#..",
        "....#ooooooo#...",
        ".....#oooooo#...",
        ".....#oooooo#...",
        ".....########...",
    };
}

// Index finger up with its tip on the hot spot (0, 0), the other fingers folded.
MonoArt PointingHandArt()
{
    return {
        "###.............",
        "#oo#............",
        "#oo#............",
        "#oo#............",
        "#oo#............",
        "#oo###..........",
        "#oo#oo###.......",
        "#oo#oo#oo###....",
        "#oo#oo#oo#oo#...",
        "#oo#oo#oo#oo#...",
        "#ooooooooooo#...",
        "#ooooooooooo#...",
        ".#oooooooooo#...",
        "..#ooooooooo#...",
        "...#ooooooo#....",
        "...#ooooooo#....",
        "...#########....",
    };
}

} // namespace art
