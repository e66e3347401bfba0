// Draws frames of the default battlefield at 1024 x 768 (under Xvfb this is
// Mesa's llvmpipe) with the camera turning over the arena, and prints the
// frame rate with shadows on and off, the time of each pass (with glFinish at
// every pass boundary; wall clock and processor time of all threads, the
// latter disturbed far less by other load), and the processor time per frame:
// all of the drawing thread, and the renderer's own work outside the driver
// (object list copies and the shadow silhouettes on the host).
//
// Then what a change of the window costs: the render targets made again at
// another size, and everything loaded again into a new OpenGL context.
//
//   render_frame [ASSETS_DIRECTORY [SECONDS [PASS_FRAMES [SAMPLES]]]]
//   (default: the source tree's assets, 20 s for each frame rate, 30 frames,
//   the window the game opens; SAMPLES a pixel: a window with that many, 0
//   a plain one). FERROWIND_PRESET=low, medium or high draws at that preset
//   (default high).
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "game/Ferrowind.h"
#include "input/ZoSDL.h"
#include "net/ZoThreadMaster.h"
#include "render/NetOverlayLayout.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"

namespace {

typedef std::chrono::steady_clock Clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double CpuMs(clockid_t clock)
{
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double ThreadCpuMs()
{
    return CpuMs(CLOCK_THREAD_CPUTIME_ID);
}

// All threads, the driver's rasterizer threads included: the cost of a frame
// in processor time, which other load on the machine disturbs far less than
// the wall clock.
double ProcessCpuMs()
{
    return CpuMs(CLOCK_PROCESS_CPUTIME_ID);
}

// The game as the renderer sees it, counting and timing the object list copies.
class CCountingGame : public IGameInterface {
public:
    explicit CCountingGame(IGameInterface& game) : m_game(game) {}
    void ShutDown() override { m_game.ShutDown(); }
    std::vector<SGameObject*> GetGameObjects() override
    {
        Clock::time_point start = Clock::now();
        std::vector<SGameObject*> objects = m_game.GetGameObjects();
        copyTime += Clock::now() - start;
        ++copies;
        return objects;
    }
    std::vector<int> GetGameEffectObjects() override { return m_game.GetGameEffectObjects(); }
    int AddGameObject(SGameObject* object) override { return m_game.AddGameObject(object); }
    void AddMsg(SGameMsg msg) override { m_game.AddMsg(msg); }
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    unsigned long GetTime() override { return m_game.GetTime(); }
    void SetTimeOffset(unsigned long ms) override { m_game.SetTimeOffset(ms); }

    long copies = 0;
    Clock::duration copyTime = Clock::duration::zero();

private:
    IGameInterface& m_game;
};

// The renderer with a stopwatch at the boundaries of the passes that Draw
// reaches through virtual operations. Between two of them the time goes to
// the pass that lies there (the objects after the sky box, and so on).
class CTimedZoGl : public CZoGl {
public:
    void DrawMinimap() override { Timed("minimap", [&] { CZoGl::DrawMinimap(); }, "objects"); }
    void DrawBoxEnv() override
    {
        Timed("sky box", [&] { CZoGl::DrawBoxEnv(); }, m_objectsDrawn ? "back faces" : "objects");
    }
    void DrawDeath() override
    {
        m_objectsDrawn = true;
        Timed("objects", [&] { CZoGl::DrawDeath(); }, "back faces");
    }
    void GetEdges(int index) override
    {
        Timed("shadow volumes", [&] { CZoGl::GetEdges(index); }, "shadow volumes");
    }
    void DrawBlend() override
    {
        Timed("shot effects", [&] { CZoGl::DrawBlend(); }, m_shadowMode != 0 ? "shadow volumes" : "glow chain");
    }
    void RenderLights() override { Timed("glow chain", [&] { CZoGl::RenderLights(); }, "composite"); }
    void Splash() override
    {
        Timed("composite", [&] { CZoGl::Splash(); }, "heads-up display");
    }

    void StartFrame()
    {
        glFinish();
        m_mark = Clock::now();
        m_cpuMark = ProcessCpuMs();
        m_threadCpuMark = ThreadCpuMs();
        // The minimap is drawn only every few frames; without it the objects come first.
        m_gap = "objects";
        m_objectsDrawn = false;
        m_depth = 0;
    }
    void EndFrame() { Mark(m_gap); }

    bool timing = false;
    struct SPassTimes {
        std::map<std::string, Clock::duration> passes;
        std::map<std::string, double> passCpuMs;        // all threads
        std::map<std::string, double> passThreadCpuMs;  // the drawing thread
        std::vector<std::string> order;
    } times;

private:
    template <class F>
    void Timed(const char* pass, F body, const char* after)
    {
        if (!timing || m_depth > 0) {
            ++m_depth;
            body();
            --m_depth;
            return;
        }
        Mark(m_gap);
        ++m_depth;
        body();
        --m_depth;
        Mark(pass);
        m_gap = after;
    }
    void Mark(const std::string& pass)
    {
        glFinish();
        Clock::time_point now = Clock::now();
        if (!times.passes.count(pass))
            times.order.push_back(pass);
        times.passes[pass] += now - m_mark;
        m_mark = now;
        double cpu = ProcessCpuMs();
        times.passCpuMs[pass] += cpu - m_cpuMark;
        m_cpuMark = cpu;
        double thread = ThreadCpuMs();
        times.passThreadCpuMs[pass] += thread - m_threadCpuMark;
        m_threadCpuMark = thread;
    }

    Clock::time_point m_mark;
    double m_cpuMark = 0, m_threadCpuMark = 0;
    std::string m_gap;
    bool m_objectsDrawn = false;
    int m_depth = 0;
};

// The camera turns about the vertical at this rate while frames are drawn.
const float kTurnDegreesPerSecond = 30;

struct SRun {
    int frames;
    double wallMs, cpuMs, processCpuMs;
};

// Frames back to back for `seconds`, the camera turning, one finish at the end.
SRun TurningFrames(CZoGl& gl, double seconds)
{
    SRun run = {0, 0, ThreadCpuMs(), ProcessCpuMs()};
    Clock::time_point start = Clock::now(), last = start;
    while (Ms(last - start) < seconds * 1000) {
        gl.Draw();
        SDL_GL_SwapBuffers();
        ++run.frames;
        Clock::time_point now = Clock::now();
        gl.AddToAngles(0, (float)(kTurnDegreesPerSecond * Ms(now - last) / 1000));
        last = now;
    }
    glFinish();
    run.wallMs = Ms(Clock::now() - start);
    run.cpuMs = ThreadCpuMs() - run.cpuMs;
    run.processCpuMs = ProcessCpuMs() - run.processCpuMs;
    return run;
}

// A scratch working directory that links to the assets, for the loaders'
// relative names and the cache files they write.
std::string WorkingDirectory(const std::string& assets)
{
    char pattern[] = "/tmp/ferrowind-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir)
        return "";
    for (const char* sub : {"textures", "models", "shaders"})
        symlink((assets + "/" + sub).c_str(), (std::string(dir) + "/" + sub).c_str());
    return dir;
}

// Frames drawn with the stopwatch on; the wall time they took.
double TimedFrames(CTimedZoGl& gl, int frames)
{
    Clock::time_point start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        gl.StartFrame();
        gl.Draw();
        gl.EndFrame();
        SDL_GL_SwapBuffers();
        gl.AddToAngles(0, 1);
    }
    return Ms(Clock::now() - start);
}

// The game's own window, or (samples >= 0) one with that many samples a pixel.
CZoSDL* OpenWindow(int samples)
{
    if (samples < 0) {
        char title[] = "Ferrowind", iconTitle[] = "";
        return new CZoSDL(title, iconTitle);
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return nullptr;
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
    if (!SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL))
        return nullptr;
    return new CZoSDL(SNoDevice());
}

std::string DefaultAssets()
{
    std::string source = __FILE__;
    std::string::size_type slash = source.rfind("/bench/");
    return slash == std::string::npos ? "assets" : source.substr(0, slash) + "/assets";
}

}  // namespace

int main(int argc, char** argv)
{
    std::string assets = argc > 1 ? argv[1] : DefaultAssets();
    double seconds = argc > 2 ? std::atof(argv[2]) : 20;
    int frames = argc > 3 ? std::atoi(argv[3]) : 30;
    int samples = argc > 4 ? std::atoi(argv[4]) : -1;
    if (frames < 1)
        frames = 1;
    CZoSDL* window = OpenWindow(samples);
    if (!window) {
        std::fprintf(stderr, "render_frame: no OpenGL window: %s\n", SDL_GetError());
        return 1;
    }
    std::string work = WorkingDirectory(assets);
    if (work.empty() || chdir(work.c_str()) != 0) {
        std::fprintf(stderr, "render_frame: no working directory\n");
        return 1;
    }

    // The game loads the battlefield as it does at start-up; its log is kept quiet.
    std::fflush(stdout);
    int console = dup(1);
    FILE* quiet = std::fopen("/dev/null", "w");
    if (quiet)
        dup2(fileno(quiet), 1);
    SGameComponents components;
    components.sdl = window;
    CTimedZoGl* gl = new CTimedZoGl();
    components.gl = gl;
    components.threads = new CZoSDLTreader();
    components.sound = new CZoSound(SNoDevice());
    CFerrowind* game = new CFerrowind(components, "/dev/null");
    std::string lists[4] = {assets + "/textures.lof", assets + "/shaders.lof", assets + "/models.lof",
                            assets + "/objects.lof"};
    bool loaded = game->LoadTextures(&lists[0][0]) && game->LoadShaders(&lists[1][0]) &&
                  game->LoadModels(&lists[2][0]) && game->LoadObjects(&lists[3][0]);
    std::fflush(stdout);
    dup2(console, 1);
    std::system(("rm -rf '" + work + "'").c_str());
    if (!loaded) {
        std::fprintf(stderr, "render_frame: the battlefield in %s could not be loaded\n", assets.c_str());
        return 1;
    }

    // Every tank in play, the player's view from behind and above its tank,
    // the light in its start position.
    int tanks = 0, active = 0;
    for (SGameObject* o : game->m_objects) {
        if (o->kind == KIND_TANK) {
            o->active = 1;
            o->timer = game->GetTime() - 100000;
            ++tanks;
        }
        active += o->active != 0;
    }
    SGameObject* local = game->m_objects[1];
    gl->SetPos(local->pos + Vector3f(0, 70, 120));
    gl->AddToAngles(18, 0);
    CCountingGame counting(*game);
    gl->SetGameInterface(&counting);

    const char* presetName = std::getenv("FERROWIND_PRESET");
    EPreset preset = PRESET_HIGH;
    if (presetName && !PresetFromName(presetName, preset)) {
        std::fprintf(stderr, "render_frame: no preset %s\n", presetName);
        return 1;
    }
    gl->SetQuality(PresetQuality(preset));

    gl->Draw();  // first frame: shadow casters, uniform look-ups
    glFinish();

    // Frame rate as the game sees it, with shadows on and then off ("m").
    counting.copies = 0;
    counting.copyTime = Clock::duration::zero();
    SRun withShadows = TurningFrames(*gl, seconds);
    double copyMs = Ms(counting.copyTime) / withShadows.frames;
    long copies = counting.copies / withShadows.frames;
    int shadowMode = gl->m_shadowMode;
    gl->m_shadowMode = 0;
    SRun withoutShadows = TurningFrames(*gl, seconds);
    gl->m_shadowMode = shadowMode;

    // The renderer's host-side silhouettes, as GetEdges builds them each frame.
    std::vector<SHomVertex> quads;
    Vector3f light(gl->m_lightX, 550, gl->m_lightZ);
    Clock::time_point start = Clock::now();
    long quadCount = 0;
    for (int f = 0; f < frames; ++f) {
        for (size_t i = 1; i < game->m_objects.size(); ++i) {
            SGameObject* o = game->m_objects[i];
            if (!o->active || o->model < 0 || o->model >= (int)gl->m_shadowCasters.size() ||
                !gl->m_shadowCasters[o->model] || !gl->m_shadowCasters[o->model]->Closed())
                continue;
            quads.clear();
            quadCount += gl->m_shadowCasters[o->model]->AppendSides(SYawPlacement(o->angles.y, o->pos), light, quads);
        }
    }
    double silhouetteMs = Ms(Clock::now() - start);

    // Pass by pass, with the pipeline drained at every boundary.
    gl->timing = true;
    double timedMs = TimedFrames(*gl, frames);
    // The heads-up display once more with the network overlay of 3 and of 16 peers.
    CTimedZoGl::SPassTimes plain = gl->times;
    const int peerCounts[2] = {3, 16};
    CTimedZoGl::SPassTimes overlay[2];
    size_t glyphs[2];
    for (int k = 0; k < 2; ++k) {
        gl->times = CTimedZoGl::SPassTimes();
        std::vector<SPeerFigures> peers(peerCounts[k], SPeerFigures{0x0a4d00ffUL, 120, 60, 60, 9, 9000, 0});
        gl->m_netOverlay = NetOverlayImages(peers, 9);
        glyphs[k] = gl->m_netOverlay.size();
        TimedFrames(*gl, frames);
        overlay[k] = gl->times;
    }
    gl->m_netOverlay.clear();
    gl->times = plain;

    // A new size and back: the targets made again twice.
    start = Clock::now();
    gl->FollowWindow(800, 600);
    gl->FollowWindow(1024, 768);
    glFinish();
    double resizeMs = Ms(Clock::now() - start) / 2;
    // A new context, as a mode change brings on Windows: everything loaded again.
    const GLubyte* renderer = glGetString(GL_RENDERER);
    std::string rendererName = renderer ? (const char*)renderer : "?";
    int windowSamples = 0;
    glGetIntegerv(GL_SAMPLES, &windowSamples);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    double reloadMs = -1;
    work = WorkingDirectory(assets);
    if (quiet && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL) &&
        !work.empty() && chdir(work.c_str()) == 0) {
        std::fflush(stdout);
        dup2(fileno(quiet), 1);
        start = Clock::now();
        gl->FollowWindow(1024, 768);
        gl->Draw();
        glFinish();
        reloadMs = Ms(Clock::now() - start);
        std::fflush(stdout);
        dup2(console, 1);
    }
    std::system(("rm -rf '" + work + "'").c_str());

    std::printf("renderer: %s; window: %d samples a pixel\n", rendererName.c_str(), windowSamples);
    std::printf("battlefield: %zu objects, %d active, %d tanks; 1024 x 768, camera turning %.0f degrees a second\n",
                game->m_objects.size(), active, tanks, kTurnDegreesPerSecond);
    std::printf("preset: %s\n", PresetName(preset));
    std::printf("frames per second:            %8.2f  (%.2f ms a frame, %d frames in %.1f s)\n",
                withShadows.frames * 1000.0 / withShadows.wallMs, withShadows.wallMs / withShadows.frames,
                withShadows.frames, withShadows.wallMs / 1000);
    std::printf("  with shadows off:           %8.2f  (%.2f ms a frame, %d frames in %.1f s)\n",
                withoutShadows.frames * 1000.0 / withoutShadows.wallMs,
                withoutShadows.wallMs / withoutShadows.frames, withoutShadows.frames, withoutShadows.wallMs / 1000);
    std::printf("CPU per frame, all threads:   %8.2f ms  (shadows off: %.2f ms)\n",
                withShadows.processCpuMs / withShadows.frames, withoutShadows.processCpuMs / withoutShadows.frames);
    std::printf("drawing thread CPU per frame: %8.2f ms\n", withShadows.cpuMs / withShadows.frames);
    std::printf("renderer CPU outside the driver, per frame:\n");
    std::printf("  object list copies:         %8.3f ms  (%ld copies)\n", copyMs, copies);
    std::printf("  shadow silhouettes:         %8.3f ms  (%ld side quads)\n", silhouetteMs / frames,
                quadCount / frames);
    std::printf("passes, glFinish at each boundary (%.2f ms a frame over %d frames): wall, CPU of all threads,\n"
                "CPU of the drawing thread (vertices, set-up, the renderer's own work):\n",
                timedMs / frames, frames);
    for (const std::string& pass : gl->times.order)
        std::printf("  %-26s %8.2f ms %8.2f ms CPU %8.2f ms\n", pass.c_str(), Ms(gl->times.passes[pass]) / frames,
                    gl->times.passCpuMs[pass] / frames, gl->times.passThreadCpuMs[pass] / frames);
    const std::string hud = "heads-up display";
    for (int k = 0; k < 2; ++k)
        std::printf("    with the network overlay %8.2f ms %8.2f ms CPU %8.2f ms  (%d peers: %zu glyphs)\n",
                    Ms(overlay[k].passes[hud]) / frames, overlay[k].passCpuMs[hud] / frames,
                    overlay[k].passThreadCpuMs[hud] / frames, peerCounts[k], glyphs[k]);
    std::printf("window size changed, targets made again: %8.2f ms\n", resizeMs);
    std::printf("new context, everything loaded again and one frame drawn: %8.2f ms\n", reloadMs);
    return 0;
}
