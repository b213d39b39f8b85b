// The high-score screen's background (title, panel and row stripes behind the
// ten rows at y 350 + 60 i) and the badge behind a ready player's READY.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

using namespace assetgen;

REGISTER_ASSETS(menu_high_scores)
{
    Canvas c(1920, 1080);
    c.verticalGradient(0, 0, 1920, 1080, rgb(6, 8, 28), rgb(1, 2, 8));
    c.starfield(700, 1234, 0.8f);
    c.glow(960, 130, 520, rgb(60, 110, 255), 0.35f);
    c.text(boldFontPath(), "HIGH SCORES", 966, 136, 120, rgb(10, 20, 60), true);
    c.text(boldFontPath(), "HIGH SCORES", 960, 130, 120, rgb(200, 230, 255), true);
    c.fillRect(460, 230, 1000, 4, rgb(120, 200, 255, 0.8f));
    c.fillRect(420, 310, 1080, 620, rgb(20, 40, 90, 0.45f));
    for (int i = 0; i < 10; ++i)
        if (i % 2 == 0)
            c.fillRect(420, 322.f + 60.f * i, 1080, 56, rgb(80, 140, 255, 0.12f));
    c.fillRect(420, 310, 1080, 3, rgb(120, 200, 255, 0.6f));
    c.fillRect(420, 927, 1080, 3, rgb(120, 200, 255, 0.6f));
    c.save(ctx.path("2D/HighScores/HighScoresBkg.png"));

    Canvas ready(320, 84);
    ready.glow(160, 42, 80, rgb(60, 255, 140), 0.4f);
    ready.fillRect(20, 14, 280, 56, rgb(20, 120, 70));
    ready.fillRect(20, 14, 280, 4, rgb(140, 255, 190));
    ready.fillRect(20, 66, 280, 4, rgb(140, 255, 190));
    ready.save(ctx.path("2D/HighScores/Ready.png"));
}
