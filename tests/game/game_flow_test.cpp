#include "game_test_util.h"

using namespace tiderush;
using testutil::GameWorld;

namespace {

Ref<TRock> RockAt(float x, float y) {
    auto rock = TRock::CreateRock(0, 0);
    rock->x = x, rock->y = y;
    return rock;
}

Ref<TPickup> PickupAt(float x, float y) {
    auto pickup = TPickup::CreatePickup(0, 0);
    pickup->x = x, pickup->y = y;
    return pickup;
}

}  // namespace

TEST_F(GameWorld, ARockLeavesExactlyWhenItsTopReachesTheBottom) {
    StartLevel();
    TRock::rockList->Clear();
    TPickup::pickupList->Clear();
    TRock::rockSpawnCounter = 1000;
    player->scrollSpeed = 0;
    auto gone = RockAt(500, 0), kept = RockAt(700, 0);
    gone->y = 768.0f + static_cast<float>(gone->h2);
    kept->y = 767.9f + static_cast<float>(kept->h2);
    TRock::MoveAll();
    EXPECT_EQ(TRock::rockList->Count(), 1);
    EXPECT_EQ(TRock::rockList->First(), kept);
}

TEST_F(GameWorld, PlacementThatFindsNoSpotAddsNothing) {
    StartLevel();
    TRock::rockList->Clear();
    TPickup::pickupList->Clear();
    auto wall = RockAt(512, 0);
    wall->SetSize(4000, 4000);  // covers every candidate spot
    TRock::CreateRandomRock(0);
    TPickup::CreateRandomPickup(1);
    EXPECT_EQ(TRock::rockList->Count(), 1);
    EXPECT_EQ(TPickup::pickupList->Count(), 0);
}

TEST_F(GameWorld, SpawnCountersFollowTheScrolledDistance) {
    StartLevel();
    TPickup::pickupList->Clear();
    TPickup::pickupSpawnCounter = 300;
    player->scrollSpeed = 4.0f;
    int ticks = 0;
    while (TPickup::pickupSpawnCounter == 300 - 4 * ticks && ticks < 200) {
        TPickup::MoveAll();
        ++ticks;
    }
    EXPECT_EQ(ticks, 75);  // attempted after 75 ticks, then the counter starts again
    EXPECT_EQ(TPickup::pickupSpawnCounter, 300);
}

TEST_F(GameWorld, PickupsAreTakenBeforeRocksAndBothAnimationsStart) {
    StartLevel();
    TRock::rockList->Clear();
    TPickup::pickupList->Clear();
    player->pickups = player->goal - 1;
    auto pickup = PickupAt(player->x, player->y);
    RockAt(player->x, player->y - 20);
    player->CheckCollision();
    EXPECT_EQ(TPickup::pickupList->Count(), 0);
    EXPECT_EQ(profile->score, pickup->score);
    EXPECT_EQ(profile->lives, 2);
    EXPECT_EQ(player->successAnimCounter, 60);
    EXPECT_EQ(player->deathAnimCounter, 40);
    EXPECT_EQ(player->width, 32);  // the death shrank it back
    EXPECT_EQ(hud->livesLabel->stat->text, u"2");
}

TEST_F(GameWorld, APickupGrowsTheBoatAndTheWakeFollows) {
    StartLevel();
    TRock::rockList->Clear();
    TPickup::pickupList->Clear();
    auto pickup = PickupAt(player->x, player->y);
    int growth = pickup->power / 2;
    player->CollideWithPickups();
    EXPECT_EQ(player->width, 32 + growth);
    EXPECT_EQ(player->height, 64 + 2 * growth);
    EXPECT_FLOAT_EQ(player->scaleX, (32.0f + growth) / 32.0f);
    EXPECT_EQ(hud->pickupLabel->stat->text, u"1/4");
    player->width = 40;
    player->CalcScale();
    EXPECT_EQ(player->scaleX, 1.25f);
    int x, y, w, h;
    player->RockRect(x, y, w, h);
    EXPECT_EQ(x, static_cast<int>(player->x - 20 + 2.5f));
    EXPECT_EQ(w, 35);
}

TEST_F(GameWorld, DeathWithLivesLeftRebuildsAndRespawns) {
    StartLevel();
    player->DeathAnimStart();
    for (int tick = 0; tick < 40; ++tick) EXPECT_EQ(player->DeathAnimManage(), 0);
    EXPECT_EQ(player->deathAnimCounter, 0);
    EXPECT_EQ(renderer->scaleX, 1.0f);
    EXPECT_EQ(game->currentScreen->name, u"Game");
    EXPECT_EQ(TWake::wakeList->Count(), 0);
    EXPECT_EQ(player->x, 512.0f);  // the start spot is free: the new rocks are all high up
}

TEST_F(GameWorld, TheLastLifeEndsInGameOverAndSpaceLeadsToTheTitle) {
    StartLevel();
    profile->score = 250;
    Press(vellum::KEY_Q);
    game->Logic();
    EXPECT_EQ(profile->lives, 0);
    for (int tick = 0; tick < 40; ++tick) game->Logic();
    ASSERT_EQ(game->currentScreen->name, u"Game Over");
    EXPECT_EQ(game->screenStack->Count(), 1);
    Press(vellum::KEY_SPACE);
    game->Logic();
    EXPECT_EQ(game->currentScreen->name, u"Title");
}

TEST_F(GameWorld, CompletingALevelLeadsToTheNextOne) {
    StartLevel();
    Press(vellum::KEY_J);
    game->Logic();
    EXPECT_EQ(player->successAnimCounter, 59);  // the boat's own step already ran
    for (int tick = 0; tick < 58; ++tick) game->Logic();
    EXPECT_EQ(game->currentScreen->name, u"Game");
    game->Logic();
    ASSERT_EQ(game->currentScreen->name, u"Level Complete");
    EXPECT_EQ(profile->level, 1);
    Press(vellum::KEY_ESCAPE);  // Escape advances exactly as Space does
    Press(vellum::KEY_SPACE);
    game->Logic();
    EXPECT_EQ(game->currentScreen->name, u"Game");
    EXPECT_EQ(profile->level, 2);  // once: the change of screen flushed the Space
    EXPECT_EQ(player->goal, 6);
}

TEST_F(GameWorld, TheTitleStartsANewGameAndKeysDoNotCarryOver) {
    game->AddScreenToStack(TTitleScreen::Create());
    profile->level = 7;
    Hold(vellum::KEY_LEFT);
    Press(vellum::KEY_SPACE);
    game->Logic();
    ASSERT_EQ(game->currentScreen->name, u"Game");
    EXPECT_EQ(profile->level, 1);
    EXPECT_EQ(profile->lives, 3);
    EXPECT_EQ(vellum::KeyDown(vellum::KEY_LEFT), 0);  // held across the change, reads as released
    Press(vellum::KEY_ESCAPE);
    game->Logic();
    EXPECT_EQ(game->currentScreen->name, u"Title");
    Press(vellum::KEY_ESCAPE);
    EXPECT_THROW(game->Logic(), TEndProgram);
}

TEST_F(GameWorld, PauseFreezesTheScreensButNotTheApplicationKeys) {
    auto title = TTitleScreen::Create();
    game->AddScreenToStack(title);
    game->Logic();
    EXPECT_EQ(title->rotation, 2);
    Press(vellum::KEY_P);
    game->Logic();
    EXPECT_EQ(game->paused, 1);
    EXPECT_EQ(title->rotation, 2);
    Hold(vellum::KEY_LCONTROL);
    Press(vellum::KEY_D);
    Press(vellum::KEY_SPACE);  // counted, acted on after the pause
    game->Logic();
    EXPECT_EQ(game->displayDebugPanel, 1);
    Release(vellum::KEY_LCONTROL);
    EXPECT_EQ(game->currentScreen, title);
    Press(vellum::KEY_P);
    game->Logic();
    EXPECT_EQ(game->currentScreen->name, u"Game");
}

TEST_F(GameWorld, TheBoatSteersAndRestsAgainstTheEdges) {
    StartLevel();
    Hold(vellum::KEY_LEFT);
    Hold(vellum::KEY_RIGHT);
    BeginInputStep();  // what Logic does before the screens move anything
    player->Move();
    EXPECT_EQ(player->x, 512.0f);
    EXPECT_EQ(player->direction, TPlayer::DIR_RIGHT);
    Release(vellum::KEY_RIGHT);
    BeginInputStep();
    for (int i = 0; i < 100; ++i) {
        player->Move();
        player->BoundsCheck();
    }
    EXPECT_EQ(player->x, 16.0f);
    EXPECT_EQ(player->direction, TPlayer::DIR_LEFT);
}

TEST_F(GameWorld, TheImageBankNamesImagesByFileAndFailsLoudly) {
    EXPECT_EQ(imageBank->Find(u"boat")->name, u"BOAT");
    EXPECT_EQ(imageBank->FindTImage(u"nothing"), nullptr);
    try {
        imageBank->Find(u"missing");
        FAIL() << "no error";
    } catch (const vellum::TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Image 'MISSING' was not found in the ImageBank");
    }
    try {
        imageBank->Load(u"my.dir/boat", u"", -1, 1);
        FAIL() << "no error";
    } catch (const vellum::TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Error loading image Data/Images/my.dir/boat.png");
    }
    auto image = TGameImage::CreateFromImage(vellum::CreateImage(100, 50, 1, 0), u"x", 0);
    EXPECT_EQ(image->CalcRAM(), 20000);
    EXPECT_EQ(image->CalcVRAM(), 32768);
}

TEST(GameOptions, WindowedAndSeed) {
    TGameOptions options;
    vellum::String error;
    EXPECT_TRUE(ParseGameOptions({u"tiderush", u"--windowed", u"--seed", u"-42"}, options, error));
    EXPECT_TRUE(options.windowed);
    EXPECT_TRUE(options.seeded);
    EXPECT_EQ(options.seed, -42);
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--seed", u"x1"}, options, error));
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--fast"}, options, error));
    EXPECT_NE(error.find(u"--fast"), vellum::String::npos);
}

TEST(GameOptions, HelpAndVersionEndTheReadingAndAValueIsNeverTakenForAnOption) {
    TGameOptions help;
    vellum::String error;
    EXPECT_TRUE(ParseGameOptions({u"tiderush", u"--help", u"--no-such-option"}, help, error));
    EXPECT_TRUE(help.help);
    TGameOptions version;
    EXPECT_TRUE(ParseGameOptions({u"tiderush", u"--windowed", u"--version"}, version, error));
    EXPECT_TRUE(version.version);
    EXPECT_FALSE(version.help);

    TGameOptions options;
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--no-such-option"}, options, error));
    EXPECT_EQ(error, u"unknown option \"--no-such-option\"");
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--replay", u"x", u"--shot-width", u"0"}, options, error));
    EXPECT_NE(error.find(u"--shot-width"), vellum::String::npos);
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--seed"}, options, error));
    EXPECT_NE(error.find(u"--seed"), vellum::String::npos);
    EXPECT_FALSE(ParseGameOptions({u"tiderush", u"--replay", u"x", u"--shot", u"--fast"}, options, error));
    EXPECT_NE(error.find(u"--shot"), vellum::String::npos);
}
