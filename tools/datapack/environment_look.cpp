#include "environment_look.h"

namespace {

TextureSpec spec(Pattern pattern, Rgb base, Rgb accent, std::uint32_t seed) {
    return {pattern, base, accent, seed};
}

// The textures every environment shares in kind: start, finish and checkpoint gates.
void gates(EnvironmentLook& look, Rgb gateColour, std::uint32_t seed) {
    look.start = spec(Pattern::StartLine, {40, 150, 60}, {240, 240, 240}, seed + 40);
    look.finish = spec(Pattern::Finish, {245, 245, 245}, {20, 20, 20}, seed + 41);
    look.checkpoint = spec(Pattern::Gate, gateColour, {250, 250, 250}, seed + 42);
    look.water = spec(Pattern::Ice, {40, 110, 190}, {90, 160, 220}, seed + 43);
    look.turbo = spec(Pattern::StartLine, {230, 60, 30}, {250, 220, 40}, seed + 44);
}

std::array<EnvironmentLook, kEnvironmentTotal> makeLooks() {
    std::array<EnvironmentLook, kEnvironmentTotal> looks;

    EnvironmentLook& alpine = looks[0];
    alpine.name = "Alpine";
    alpine.mood = "Day";
    alpine.roads = {spec(Pattern::Snow, {225, 232, 240}, {170, 185, 205}, 101),
                    spec(Pattern::Planks, {150, 100, 60}, {95, 60, 35}, 102),
                    spec(Pattern::Ice, {185, 215, 235}, {120, 170, 210}, 103),
                    spec(Pattern::Dirt, {150, 150, 150}, {95, 95, 100}, 104)};
    alpine.grounds = {spec(Pattern::Snow, {245, 248, 252}, {200, 210, 228}, 111),
                      spec(Pattern::Snow, {215, 228, 245}, {160, 180, 215}, 112),
                      spec(Pattern::Rock, {130, 130, 135}, {90, 92, 98}, 113),
                      spec(Pattern::Planks, {110, 75, 45}, {70, 45, 25}, 114)};
    alpine.wall = spec(Pattern::Planks, {120, 80, 50}, {70, 45, 25}, 121);
    alpine.roof = spec(Pattern::Roof, {150, 50, 40}, {90, 30, 25}, 122);
    alpine.pillar = spec(Pattern::Bark, {125, 85, 50}, {80, 50, 30}, 123);
    alpine.foliage = spec(Pattern::Foliage, {25, 70, 40}, {60, 110, 70}, 124);
    alpine.trunk = spec(Pattern::Bark, {90, 60, 35}, {50, 32, 20}, 125);
    alpine.rock = spec(Pattern::Rock, {150, 150, 158}, {105, 105, 115}, 126);
    alpine.facade = spec(Pattern::Facade, {160, 115, 70}, {60, 90, 130}, 127);
    gates(alpine, {200, 40, 40}, 100);
    alpine.pictureBackground = {70, 90, 120};

    EnvironmentLook& bay = looks[1];
    bay.name = "Bay";
    bay.mood = "Day";
    bay.roads = {spec(Pattern::Asphalt, {70, 72, 78}, {235, 235, 235}, 201),
                 spec(Pattern::Asphalt, {105, 105, 110}, {240, 200, 40}, 202),
                 spec(Pattern::Concrete, {160, 160, 155}, {120, 120, 118}, 203),
                 spec(Pattern::Cobbles, {120, 115, 110}, {70, 68, 65}, 204)};
    bay.grounds = {spec(Pattern::Concrete, {175, 175, 170}, {130, 130, 128}, 211),
                   spec(Pattern::Grass, {60, 120, 50}, {110, 160, 80}, 212),
                   spec(Pattern::Bricks, {150, 70, 55}, {190, 185, 175}, 213),
                   spec(Pattern::Cobbles, {140, 135, 125}, {90, 85, 80}, 214)};
    bay.wall = spec(Pattern::Bricks, {145, 60, 45}, {200, 195, 185}, 221);
    bay.roof = spec(Pattern::Roof, {80, 85, 95}, {50, 55, 62}, 222);
    bay.pillar = spec(Pattern::Concrete, {150, 150, 150}, {110, 110, 110}, 223);
    bay.foliage = spec(Pattern::Foliage, {45, 100, 45}, {90, 150, 70}, 224);
    bay.trunk = spec(Pattern::Bark, {95, 70, 50}, {60, 42, 30}, 225);
    bay.rock = spec(Pattern::Rock, {120, 118, 112}, {80, 78, 75}, 226);
    bay.facade = spec(Pattern::Facade, {130, 135, 145}, {140, 190, 230}, 227);
    gates(bay, {30, 90, 200}, 200);
    bay.pictureBackground = {60, 80, 100};

    EnvironmentLook& coast = looks[2];
    coast.name = "Coast";
    coast.mood = "Sunset";
    coast.roads = {spec(Pattern::Cobbles, {120, 112, 104}, {80, 74, 68}, 301),
                   spec(Pattern::Dirt, {215, 190, 140}, {170, 145, 100}, 302),
                   spec(Pattern::Concrete, {210, 200, 175}, {165, 155, 130}, 303),
                   spec(Pattern::Bricks, {190, 100, 60}, {225, 210, 180}, 304)};
    coast.grounds = {spec(Pattern::Sand, {235, 215, 165}, {200, 175, 120}, 311),
                     spec(Pattern::Sand, {245, 230, 190}, {215, 195, 150}, 312),
                     spec(Pattern::Rock, {200, 185, 150}, {150, 135, 105}, 313),
                     spec(Pattern::Grass, {140, 145, 70}, {185, 175, 100}, 314)};
    coast.wall = spec(Pattern::Bricks, {215, 195, 150}, {240, 230, 210}, 321);
    coast.roof = spec(Pattern::Roof, {195, 90, 50}, {140, 60, 35}, 322);
    coast.pillar = spec(Pattern::Rock, {210, 195, 160}, {160, 145, 115}, 323);
    coast.foliage = spec(Pattern::Foliage, {95, 115, 50}, {150, 160, 80}, 324);
    coast.trunk = spec(Pattern::Bark, {120, 95, 65}, {80, 60, 40}, 325);
    coast.rock = spec(Pattern::Rock, {190, 170, 135}, {135, 120, 95}, 326);
    coast.facade = spec(Pattern::Facade, {240, 238, 230}, {50, 90, 170}, 327);
    gates(coast, {220, 120, 30}, 300);
    coast.pictureBackground = {60, 110, 150};

    EnvironmentLook& island = looks[3];
    island.name = "Island";
    island.mood = "Day";
    island.roads = {spec(Pattern::Asphalt, {120, 120, 125}, {255, 255, 255}, 401),
                    spec(Pattern::Concrete, {225, 225, 220}, {180, 180, 175}, 402),
                    spec(Pattern::Sand, {240, 225, 185}, {220, 200, 155}, 403),
                    spec(Pattern::Planks, {200, 170, 110}, {150, 120, 70}, 404)};
    island.grounds = {spec(Pattern::Grass, {50, 160, 60}, {120, 200, 80}, 411),
                      spec(Pattern::Sand, {250, 240, 210}, {230, 215, 175}, 412),
                      spec(Pattern::Ice, {80, 200, 200}, {40, 150, 180}, 413),
                      spec(Pattern::Rock, {100, 90, 80}, {60, 55, 50}, 414)};
    island.wall = spec(Pattern::Planks, {210, 180, 120}, {160, 130, 80}, 421);
    island.roof = spec(Pattern::Roof, {200, 170, 90}, {150, 120, 60}, 422);
    island.pillar = spec(Pattern::Concrete, {230, 230, 225}, {190, 190, 185}, 423);
    island.foliage = spec(Pattern::Foliage, {40, 150, 60}, {130, 210, 90}, 424);
    island.trunk = spec(Pattern::Bark, {150, 120, 80}, {100, 80, 50}, 425);
    island.rock = spec(Pattern::Rock, {90, 85, 80}, {50, 48, 45}, 426);
    island.facade = spec(Pattern::Facade, {250, 230, 200}, {30, 160, 170}, 427);
    gates(island, {250, 200, 30}, 400);
    island.pictureBackground = {40, 130, 170};

    EnvironmentLook& rally = looks[4];
    rally.name = "Rally";
    rally.mood = "Day";
    rally.roads = {spec(Pattern::Dirt, {140, 100, 60}, {100, 70, 40}, 501),
                   spec(Pattern::Dirt, {165, 160, 150}, {120, 115, 105}, 502),
                   spec(Pattern::Dirt, {100, 75, 50}, {70, 50, 30}, 503),
                   spec(Pattern::Asphalt, {90, 90, 90}, {230, 230, 230}, 504)};
    rally.grounds = {spec(Pattern::Grass, {60, 130, 40}, {120, 170, 60}, 511),
                     spec(Pattern::Grass, {90, 150, 50}, {160, 190, 80}, 512),
                     spec(Pattern::Dirt, {120, 90, 55}, {85, 62, 38}, 513),
                     spec(Pattern::Planks, {170, 150, 80}, {120, 100, 50}, 514)};
    rally.wall = spec(Pattern::Planks, {130, 95, 60}, {85, 60, 35}, 521);
    rally.roof = spec(Pattern::Roof, {120, 60, 40}, {80, 40, 25}, 522);
    rally.pillar = spec(Pattern::Rock, {140, 135, 125}, {95, 90, 85}, 523);
    rally.foliage = spec(Pattern::Foliage, {50, 100, 30}, {110, 150, 50}, 524);
    rally.trunk = spec(Pattern::Bark, {85, 60, 40}, {50, 35, 22}, 525);
    rally.rock = spec(Pattern::Rock, {135, 130, 120}, {90, 85, 80}, 526);
    rally.facade = spec(Pattern::Facade, {220, 210, 180}, {90, 60, 40}, 527);
    gates(rally, {180, 60, 160}, 500);
    rally.pictureBackground = {80, 110, 70};

    EnvironmentLook& speed = looks[5];
    speed.name = "Speed";
    speed.mood = "Day";
    speed.roads = {spec(Pattern::Asphalt, {60, 58, 58}, {250, 220, 60}, 601),
                   spec(Pattern::Asphalt, {110, 80, 70}, {255, 255, 255}, 602),
                   spec(Pattern::Concrete, {200, 180, 160}, {160, 140, 120}, 603),
                   spec(Pattern::Sand, {220, 160, 90}, {190, 130, 70}, 604)};
    speed.grounds = {spec(Pattern::Sand, {230, 160, 90}, {200, 125, 65}, 611),
                     spec(Pattern::Rock, {180, 90, 60}, {130, 60, 40}, 612),
                     spec(Pattern::Sand, {240, 200, 150}, {215, 170, 120}, 613),
                     spec(Pattern::Dirt, {170, 120, 80}, {130, 90, 55}, 614)};
    speed.wall = spec(Pattern::Bricks, {210, 150, 100}, {240, 210, 170}, 621);
    speed.roof = spec(Pattern::Concrete, {200, 175, 150}, {160, 135, 110}, 622);
    speed.pillar = spec(Pattern::Concrete, {190, 170, 150}, {150, 130, 110}, 623);
    speed.foliage = spec(Pattern::Foliage, {90, 120, 50}, {150, 160, 70}, 624);
    speed.trunk = spec(Pattern::Bark, {130, 100, 60}, {90, 65, 40}, 625);
    speed.rock = spec(Pattern::Rock, {175, 85, 55}, {120, 55, 35}, 626);
    speed.facade = spec(Pattern::Facade, {225, 190, 150}, {70, 50, 40}, 627);
    gates(speed, {240, 80, 20}, 600);
    speed.pictureBackground = {150, 110, 80};

    EnvironmentLook& stadium = looks[6];
    stadium.name = "Stadium";
    stadium.mood = "Day";
    stadium.roads = {spec(Pattern::Asphalt, {55, 57, 62}, {240, 240, 240}, 701),
                     spec(Pattern::Asphalt, {80, 82, 90}, {230, 60, 50}, 702),
                     spec(Pattern::Concrete, {150, 155, 160}, {110, 115, 120}, 703),
                     spec(Pattern::Dirt, {150, 105, 65}, {110, 75, 45}, 704)};
    stadium.grounds = {spec(Pattern::Grass, {50, 140, 50}, {90, 180, 70}, 711),
                       spec(Pattern::Grass, {40, 125, 45}, {70, 160, 60}, 712),
                       spec(Pattern::Concrete, {185, 190, 195}, {140, 145, 150}, 713),
                       spec(Pattern::Panels, {30, 80, 180}, {240, 240, 240}, 714)};
    stadium.wall = spec(Pattern::Panels, {220, 220, 225}, {30, 80, 180}, 721);
    stadium.roof = spec(Pattern::Concrete, {170, 175, 185}, {120, 125, 135}, 722);
    stadium.pillar = spec(Pattern::Concrete, {200, 200, 205}, {150, 150, 155}, 723);
    stadium.foliage = spec(Pattern::Foliage, {40, 120, 50}, {90, 170, 70}, 724);
    stadium.trunk = spec(Pattern::Bark, {100, 75, 50}, {60, 45, 30}, 725);
    stadium.rock = spec(Pattern::Rock, {150, 150, 155}, {105, 105, 110}, 726);
    stadium.facade = spec(Pattern::Facade, {190, 195, 205}, {60, 140, 220}, 727);
    gates(stadium, {30, 90, 220}, 700);
    stadium.pictureBackground = {50, 60, 80};

    return looks;
}

} // namespace

const std::array<EnvironmentLook, kEnvironmentTotal>& environmentLooks() {
    static const std::array<EnvironmentLook, kEnvironmentTotal> looks = makeLooks();
    return looks;
}

std::string roadTexture(int surface) {
    return "road" + std::to_string(surface) + ".bmp";
}
std::string groundTexture(int surface) {
    return "ground" + std::to_string(surface) + ".bmp";
}

std::vector<std::pair<std::string, TextureSpec>> environmentTextures(const EnvironmentLook& look) {
    std::vector<std::pair<std::string, TextureSpec>> textures;
    for (int i = 0; i < kSurfaceCount; ++i) {
        textures.emplace_back(roadTexture(i), look.roads[static_cast<std::size_t>(i)]);
        textures.emplace_back(groundTexture(i), look.grounds[static_cast<std::size_t>(i)]);
    }
    textures.emplace_back(kWallTexture, look.wall);
    textures.emplace_back(kRoofTexture, look.roof);
    textures.emplace_back(kPillarTexture, look.pillar);
    textures.emplace_back(kFoliageTexture, look.foliage);
    textures.emplace_back(kTrunkTexture, look.trunk);
    textures.emplace_back(kRockTexture, look.rock);
    textures.emplace_back(kStartTexture, look.start);
    textures.emplace_back(kFinishTexture, look.finish);
    textures.emplace_back(kCheckpointTexture, look.checkpoint);
    textures.emplace_back(kFacadeTexture, look.facade);
    textures.emplace_back(kWaterTexture, look.water);
    textures.emplace_back(kTurboTexture, look.turbo);
    return textures;
}

TextureSpec textureSpecByName(const EnvironmentLook& look, const std::string& name) {
    for (const auto& [file, spec] : environmentTextures(look))
        if (file == name)
            return spec;
    return {Pattern::Concrete, {128, 128, 128}, {100, 100, 100}, 1};
}
