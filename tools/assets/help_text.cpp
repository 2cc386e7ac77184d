// help.txt: the six help pages. Each page's lines sit at fixed rows of the help screen,
// and some rows share their height with the piece pictures drawn from x 232, so the
// lines on those rows are kept short (or empty); the asset tests measure them.
#include <iterator>
#include <string>

#include "data_out.h"
#include "generator.h"

namespace {

const char* const kHelpLines[] = {
    // Page 0: lines 0-10 from the top, then 11, 12 and 13 under the pictures.
    "Welcome to Torvanex, a game of pipes, loops and quick thinking.",
    "",
    "There are three games, all played on a board of 12 x 12 cells. The game button at",
    "the top of the panel on the right switches to the next game and starts it.",
    "",
    "In Twist Conduits pipe pieces appear one by one, filling the board from its centre.",
    "Turn them so that their pipes join into closed loops. A closed loop explodes and",
    "scores, and the pieces that are left settle in toward the centre.",
    "",
    "Left mouse button: turns the piece under the pointer a quarter turn counter-clockwise.",
    "Left clicks on a corner:",
    "Right mouse button: a quarter turn clockwise. The two straight pieces simply swap:",
    "A cross joins all four sides at once and cannot be turned:",
    "Lit pipes show closed loops. Every loop explodes and adds to your score:",
    // Page 1: lines 14-39.
    "Twist Conduits",
    "",
    "New pieces arrive along a spiral that starts in the middle of the board and winds",
    "outward. Watch where the next one will land and get the pipes around it ready.",
    "",
    "Each time you turn a piece without closing a loop, the pipe it belongs to lights up",
    "for a moment in both directions, so you can see where it leads.",
    "",
    "A loop scores three points for every piece in it, plus twice the speed, minus four.",
    "After a loop explodes, the remaining pieces settle in toward the centre along the",
    "spiral; loops that the settling closes are scored as well.",
    "",
    "Speed",
    "The speed rises by one every 100 pieces, up to 9. A higher speed makes every loop",
    "worth more. Click the Speed button to raise it yourself while you play. After Stop,",
    "the left and right buttons on it step the speed up and down.",
    "",
    "Level",
    "At Level 2 some pieces are locked: they look different and cannot be turned. The",
    "Level button changes the level while the board is empty, that is after Stop.",
    "",
    "The game ends when a new piece finds no empty cell. A score among the five best asks",
    "for your name. Each game and each level keeps its own table of top scores.",
    "",
    "Press F1 or the Help button at any time to read these pages again.",
    "",
    // Page 2: lines 40-65.
    "Lash Tiles",
    "",
    "Blocks appear on the board one at a time. Join them with a line made of straight",
    "steps, each running from one block to another along a row or a column.",
    "",
    "A line starts at a block. Every step goes from the block where the line ends to",
    "another block in the same row or column. A step may cross earlier steps of the line,",
    "but it cannot pass over a block or through a wall.",
    "",
    "Bring the line back to its first block to close it: every block on it explodes and",
    "you score. The more blocks in the loop and the higher the speed, the more it is worth.",
    "",
    "With the mouse: left-click a block to start, then left-click the blocks to visit.",
    "Click the last block again, or right-click anywhere, to take back the last step.",
    "",
    "With the keyboard: move the frame with the arrow keys and press Space on a block",
    "to start. An arrow key then draws a step to the nearest block in its direction; the",
    "arrow that points back along the last step takes that step back. Space takes back",
    "a step too, and Delete erases the whole line.",
    "",
    "At Level 2 there are walls between some cells, and no step may cross them.",
    "The speed rises every 50 blocks. The game ends when 40 blocks stand on the board.",
    "",
    "While you play Lash Tiles the keys draw the line, so F1 does not open the help:",
    "use the Help button at the top left instead.",
    "",
    // Page 3: lines 66-91.
    "Conduit Sage",
    "",
    "The board starts full and no new pieces arrive. Turn pieces to close loops; the",
    "pieces above an exploded loop fall into the gaps. Clear the board for a bonus of 100.",
    "",
    "You can also drag a piece sideways: press the left button on it, move the pointer",
    "to another column and let go. The piece slides along its row, drops into any hole",
    "it passes and stops next to the first piece in its way. Its old column closes up.",
    "",
    "When a whole column is empty, the Left arrow key pulls the pieces on its right one",
    "column to the left; the Right arrow key pushes the pieces on its left to the right.",
    "",
    "If you see no way on, the Give up button below the board ends the game.",
    "",
    "The panel",
    "New game starts the current game afresh. Stop empties the board; then the level",
    "and the speed can be changed. Skin gives the pieces another look.",
    "Sound and Music switch the effects and the background music on and off. MIDI files",
    "that you put into the game's folder are played along with the others.",
    "Minimise puts the game aside. The bar below the board opens the manual page.",
    "",
    "Escape or Exit shows the top scores. There, click the box to see the other games,",
    "press Space to play again, or any other key to leave Torvanex.",
    "",
    "Page Up, Page Down or the arrows turn the pages; a key or a click closes the help.",
    "",
    // Page 4: lines 92-101, 102-103 between the pictures, 104-106 at the bottom.
    "Loops through crosses",
    "",
    "A cross holds two pipes, one across and one up and down. A loop may run through",
    "either of them, or through both.",
    "",
    "Every piece of a loop counts three points, and a cross that the loop passes twice",
    "counts twice, so loops through crosses are worth more. The smallest loop, four",
    "corners, scores 8 at speed 0 and 26 at speed 9.",
    "When a loop explodes its crosses go with it, even if it used only one of their pipes.",
    "",
    "Above: one loop that passes the cross twice, once on each of its pipes.",
    "Below: a long loop that runs through three crosses, each of them twice.",
    "Such loops take time to build, but they pay best. Try them while the speed is low",
    "and the board still has room.",
    "",
    // Page 5: lines 107-108, 109-110, 111-115 and 116, between the three rows of pictures.
    "When a loop uses only one pipe of a cross, only that pipe lights up:",
    "",
    "Any closed shape counts, however long or twisted, as long as every end is joined:",
    "",
    "Below are three shapes that are not loops yet: on the left an empty cell breaks the",
    "pipe; in the middle one piece is turned the wrong way and a click or two mends it;",
    "on the right a locked piece of Level 2 points the wrong way and can never be turned.",
    "Build around such a piece. In Conduit Sage you can slide it out of the way instead.",
    "",
    "Good luck, and enjoy Torvanex!",
};
static_assert(std::size(kHelpLines) == 117, "the help screen reads exactly 117 lines");

}  // namespace

void WriteHelpText(const std::string& folder) {
    std::string text;
    for (const char* line : kHelpLines) {
        text += line;
        text += '\n';
    }
    data_out::WriteText(folder + "help.txt", text);
}
