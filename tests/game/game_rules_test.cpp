#include "game_test_util.h"

using namespace tiderush;
using testutil::GameWorld;

TEST_F(GameWorld, EachLevelSetsSpeedGoalCapAndRockSpacing) {
    currentLevel = TLevel::Create();
    struct Row {
        int level, speed, goal, cap, rockDistance;
    } rows[] = {{1, 7, 4, 4, 220}, {2, 8, 6, 6, 200}, {5, 11, 12, 12, 140}, {12, 18, 26, 26, 5}, {13, 19, 28, 28, -20}};
    for (const auto& row : rows) {
        profile->level = row.level;
        auto boat = TPlayer::CreatePlayer();
        EXPECT_EQ(boat->speedX, row.speed) << "level " << row.level;
        EXPECT_EQ(boat->speedY, row.speed);
        EXPECT_EQ(boat->goal, row.goal);
        EXPECT_EQ(boat->scrollSpeedCurrentMax, row.cap);
        EXPECT_EQ(TRock::rockSpawnDistance, row.rockDistance);
        EXPECT_EQ(boat->x, 512.0f);
        EXPECT_EQ(boat->y, 568.0f);
    }
}

TEST_F(GameWorld, SpeedReachesTheLevelOneCapOnTheFiftyFirstTick) {
    currentLevel = TLevel::Create();
    auto boat = TPlayer::CreatePlayer();
    int ticks = 0;
    while (boat->scrollSpeed < 4.0f) {
        boat->SpeedUp();
        ++ticks;
    }
    EXPECT_EQ(ticks, 51);
    boat->SpeedUp();
    EXPECT_EQ(boat->scrollSpeed, 4.0f);
}

TEST_F(GameWorld, ParticlesDieOnTheTickTheirAlphaStepDictates) {
    for (auto [step, lastTick] : {std::pair{-0.04f, 25}, {-0.015f, 67}, {-0.01f, 101}}) {
        auto particle = TParticle::CreateParticle(nullptr, 0, 0, u"x", nullptr);
        particle->SetParams(step, 0, 0, 0, 0, 0);
        int tick = 1;
        while (particle->Tick()) ++tick;
        EXPECT_EQ(tick, lastTick) << "alpha step " << step;
    }
    auto spinner = TParticle::CreateParticle(nullptr, 0, 0, u"x", nullptr);
    spinner->rotation = 350;
    spinner->SetParams(0, 30, 0.1f, 0.1f, 0, -1);
    EXPECT_EQ(spinner->Tick(), 1);
    EXPECT_EQ(spinner->rotation, 20.0f);
    EXPECT_EQ(spinner->originalY, -1.0f);
}

TEST_F(GameWorld, AParticleListDropsTheDeadAndKeepsTheLiving) {
    particleList = TParticleList::Create();
    particleList->AddNew(nullptr, 1, 1, u"dies", nullptr)->SetParams(-0.5f, 0, 0, 0, 0, 0);
    particleList->AddNew(nullptr, 2, 2, u"lives", nullptr)->SetParams(0, 0, 0.1f, 0.1f, 0, 0);
    particleList->AddNew(nullptr, 3, 3, u"shrinks", nullptr)->SetParams(0, 0, -2, 0, 0, 0);
    particleList->Logic();
    particleList->Logic();
    ASSERT_EQ(particleList->Count(), 1);
    EXPECT_EQ(vellum::Cast<TParticle>(particleList->First())->text, u"lives");
}

TEST_F(GameWorld, AWakeSegmentLastsOneHundredTicks) {
    StartLevel();
    player->scrollSpeed = 0;
    TWake::CreateWakeList();
    TWake::CreateWake(100, 100, 1);
    int ticks = 0;
    while (TWake::wakeList->Count() == 1) {
        TWake::MoveAll();
        ++ticks;
    }
    EXPECT_EQ(ticks, 101);  // drawn for 100 ticks, removed by the 101st move
}

TEST_F(GameWorld, WakePairsComeOnTicksOneTwoThenEverySecond) {
    StartLevel();
    TWake::CreateWakeList();
    std::vector<int> sizes;
    for (int tick = 1; tick <= 6; ++tick) {
        TWake::Generate();
        sizes.push_back(TWake::wakeList->Count());
    }
    EXPECT_EQ(sizes, (std::vector<int>{2, 4, 4, 6, 6, 8}));
    auto left = vellum::Cast<TWake>(TWake::wakeList->First());
    EXPECT_EQ(left->direction, -1);
    EXPECT_EQ(left->x, 512.0f - 11);
    EXPECT_EQ(left->y, 568.0f + 32 + 4);
}

TEST(Rects, OverlapIsStrict) {
    EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 10, 0, 10, 10), 0);  // edges touch
    EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 9, 9, 10, 10), 1);
    EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 0, 10, 10, 10), 0);
    EXPECT_EQ(RectsOverlap(5, 5, 1, 1, 0, 0, 10, 10), 1);  // inside
    EXPECT_EQ(RectsOverlap(0, 0, 10, 10, -10, -10, 10, 10), 0);
}

TEST_F(GameWorld, TheCameraAnchorsTheZoomOnAPoint) {
    EXPECT_EQ(renderer->GetX(123.5f), 123.5f);
    renderer->SetGameScale(1.8f, 1.8f);
    renderer->CentreOnCoords(512, 384);
    EXPECT_FLOAT_EQ(renderer->GetX(512), 512.0f);
    EXPECT_FLOAT_EQ(renderer->GetX(0), -409.6f);
    EXPECT_FLOAT_EQ(renderer->GetY(384), 384.0f);
    renderer->ResetScale();
    renderer->CentreOnCoords(100, 700);
    EXPECT_EQ(renderer->scrollX, 0.0f);
    EXPECT_EQ(renderer->scrollY, 0.0f);
}

TEST_F(GameWorld, SizesBoundsAndPadding) {
    TSprite sprite;
    sprite.SetSize(5, 7);
    EXPECT_EQ(sprite.w2, 2);
    EXPECT_EQ(sprite.h2, 3);
    sprite.SetSize(2000, 10);
    sprite.x = -5;
    sprite.BoundsCheck();  // below w2: the upper bound is not tested in the same call
    EXPECT_EQ(sprite.x, 1000.0f);
    EXPECT_EQ(PadWithZeros(u"42", 5), u"00042");
    EXPECT_EQ(PadWithZeros(u"123456", 5), u"123456");
    EXPECT_EQ(PadWithZeros(u"", 3), u"000");
    EXPECT_EQ(NextPowerOfTwo(100), 128);
    EXPECT_EQ(NextPowerOfTwo(1), 1);
    EXPECT_EQ(EnsureTrailingSlash(u"Data/Images"), u"Data/Images/");
    EXPECT_EQ(EnsureTrailingSlash(u"Data\\"), u"Data\\");
}

TEST_F(GameWorld, ProfileClampsLivesAndTheHudShowsTheValues) {
    StartLevel();
    EXPECT_EQ(hud->livesLabel->stat->text, u"3");
    EXPECT_EQ(hud->pickupLabel->stat->text, u"0/4");
    EXPECT_EQ(hud->scoreLabel->stat->text, u"00000");
    EXPECT_EQ(hud->livesLabel->description->text, u"Lives:");
    profile->UpdateScore(123456);
    EXPECT_EQ(hud->scoreLabel->stat->text, u"123456");
    profile->UpdateLives(-5);
    EXPECT_EQ(profile->lives, 0);
    EXPECT_EQ(hud->livesLabel->stat->text, u"0");
    hud->scoreLabel->stat->SetFormatMode(7, 0);
    EXPECT_EQ(hud->scoreLabel->stat->text, u"");  // an unknown format shows nothing
    hud->scoreLabel->stat->SetText(u"9");
    EXPECT_EQ(hud->scoreLabel->stat->textRaw, u"123456");
}

TEST_F(GameWorld, TheSpeedBarFillsByTheShareOfTheFullScale) {
    EXPECT_EQ(SpeedBarFill(8.0f, 16), 200);
    EXPECT_EQ(SpeedBarFill(0.0f, 16), 0);
    EXPECT_EQ(SpeedBarFill(18.0f, 16), 450);  // not clamped
    StartLevel();
    player->scrollSpeed = 8.0f;
    driver->calls.clear();
    hud->DrawSpeedBar();
    auto& calls = driver->calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "rect 312 733 400 30"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "rect 312 733 200 30"), calls.end());
    std::vector<std::string> lines;
    for (const auto& call : calls)
        if (call.rfind("line", 0) == 0) lines.push_back(call);
    EXPECT_EQ(lines, (std::vector<std::string>{"line 312 733 711 733", "line 711 733 711 762", "line 711 762 312 762",
                                               "line 312 762 312 733"}));
}
