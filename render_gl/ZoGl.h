#ifndef FERROWIND_ZOGL_H
#define FERROWIND_ZOGL_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/Interfaces.h"
#include "model/NoDevice.h"
#include "model/Numbers.h"
#include "render/ImageRect.h"
#include "render/ModelStore.h"
#include "render/Quality.h"
#include "render/ShadowVolume.h"
#include "render_gl/UniformCache.h"

// The renderer: set-up, camera, asset loaders and every drawing pass.
// It owns every OpenGL object it creates and frees none.
class CZoGl : public IGraphicInterface, public IRendererSwitches {
public:
    CZoGl();
    explicit CZoGl(SNoDevice);
    virtual ~CZoGl() {}

    void SetPos(Vector3f pos) override;
    void AddToPos(Vector3f delta) override;
    void SetAngles(float pitch, float yaw) override;
    void AddToAngles(float dPitch, float dYaw) override;
    Vector3f GetDirection() override;
    virtual void Clear();
    virtual void PrepairObjectForDrawing(int index);
    virtual int LoadShader(char* fragmentFile, char* vertexFile, unsigned int index);
    virtual void PrepairShader(unsigned int index);
    virtual void PrepairShader(char* name, int index);
    virtual int LoadObject(char* file, unsigned int base, int makeNormals);
    virtual void DrawMinimap();
    virtual void SetRenderToTexture(unsigned int framebuffer, unsigned int texture, unsigned int depth,
                                    unsigned int unused);
    virtual void SetRenderToScreen();
    virtual int LoadObjectsOld(char* listFile);
    virtual int LoadObjects(char* listFile);
    virtual int LoadShaders(char* listFile);
    virtual int LoadTextures(char* listFile);
    virtual unsigned int LoadTexture(char* file, int mipmapComponents);
    virtual void RenderLights();
    virtual void Draw();
    virtual void DrawDeath();
    virtual void DrawBlend();
    virtual void TestDraw();
    virtual void DrawBoxEnv();
    virtual void SaveMatrixState();
    virtual void LoadMatrixState();
    virtual void IdentityAll();
    virtual void DrawImage(float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2,
                           int image, int mode);
    virtual void Splash();
    virtual void SetGameInterface(IGameInterface* game);
    virtual SGraphicObject* GetObject(int index);
    virtual Vector3f* GetVertices();
    virtual void GetEdges(int index);
    virtual void DrawMenu(int state);
    // The window's size in pixels: the render targets are made at it, and the
    // heads-up display and the menu, laid out on 1024 x 768, are scaled to it.
    int m_windowWidth = SCREEN_WIDTH, m_windowHeight = SCREEN_HEIGHT;
    // After a change of the window's size or mode: the targets are made again
    // at the new size, and in a new context the textures, programs and models
    // are loaded again too.
    void FollowWindow(int width, int height);
    // The menu's picture under a page of images (the options).
    void DrawMenuPage(const std::vector<SImageRect>& page);
    // Drawn on the menu under its buttons (the line that opens the options).
    std::vector<SImageRect> m_menuNote;
    // The keys of the menu's controls panel, as they are set (game/KeyGuide.h).
    std::vector<SImageRect> m_menuKeys;

    // The switches the keys change; declared after the operations above so
    // that those keep their places in the virtual table.
    void FlipSwitch(ESwitch which) override;
    void FlipShadowMode() override;
    void MoveLight(double dx, double dz) override;
    void TurnFromDirection() override;

    // The drawing switches of a preset (render/Quality.h); the full picture
    // at first. Takes effect from the next frame.
    void SetQuality(const SQuality& quality);
    // GL_RENDERER: the renderer that draws, by name; empty without a context.
    std::string RendererName() const;
    // Sets the loaded textures' filters as the quality says.
    void ApplyTextureFilter();
    const SQuality& Quality() const { return m_quality; }
    // The part of the scene texture that the scene is drawn into, in pixels,
    // and as a share of the texture.
    int SceneWidth() const { return m_targetWidth * m_quality.renderScale / 100; }
    int SceneHeight() const { return m_targetHeight * m_quality.renderScale / 100; }
    float SceneShare() const { return m_quality.renderScale / 100.0f; }
    // The glow works at a quarter of the width and a third of the height
    // (256 x 256 in the 1024 x 768 window); the minimap at half of each.
    int GlowWidth() const { return m_targetWidth * 256 / SCREEN_WIDTH; }
    int GlowHeight() const { return m_targetHeight * 256 / SCREEN_HEIGHT; }
    int MinimapWidth() const { return m_targetWidth / 2; }
    int MinimapHeight() const { return m_targetHeight / 2; }

    // Number of loaded models, textures and shader programs.
    int ModelCount() const { return (int)m_store.m_models.size(); }
    // The loaded models' geometry, which collisions read.
    const CZoModelStore& ModelStore() const { return m_store; }

    // What the game hands over to be drawn over the picture: the network
    // overlay and the scoreboard (empty: none), a notice line until the game
    // time given, and the line under the menu's buttons.
    void ShowNetOverlay(std::vector<SImageRect> images) { m_netOverlay = std::move(images); }
    void ShowScoreboard(std::vector<SImageRect> images) { m_scoreboard = std::move(images); }
    void ShowNotice(std::vector<SImageRect> images, unsigned long until)
    {
        m_notice = std::move(images);
        m_noticeUntil = until;
    }
    void SetMenuNote(std::vector<SImageRect> images) { m_menuNote = std::move(images); }
    void SetMenuKeys(std::vector<SImageRect> images) { m_menuKeys = std::move(images); }
    // Where the model cache files go, with a trailing slash; empty: the working folder.
    void SetCacheFolder(const std::string& folder) { m_cacheFolder = folder; }

    // Model loading steps that talk to OpenGL.
    void GenerateVertexBuffers();
    void UploadVertexBuffers();
    void UploadIndexBuffer(SGraphicObject& model);
    // The loaded models' buffers made and filled again from the model store.
    void UploadModels();

    // Set-up steps that the constructor and a new context share.
    void SetUpContext();
    void SetUpSmoothing();
    void MakeRenderTargets(bool reportErrors);
    void DeleteRenderTargets();
    void LoadIntoNewContext();
    // The size the render targets were made at.
    int m_targetWidth = SCREEN_WIDTH, m_targetHeight = SCREEN_HEIGHT;
    // The list files the textures and programs came from, for a new context.
    std::string m_textureList, m_shaderList;

    float m_lightX, m_lightZ;
    int m_shadowMode;
    // Drawing switches that function keys flip. Their start values draw what
    // a program without those keys draws.
    bool m_wireframe = false;     // polygons as outlines
    bool m_drawOffView = true;    // when clear, objects away from the view and the back faces are left out
    bool m_shadows = true;        // shadow volumes
    bool m_mipmaps = true;        // read by the texture loader
    bool m_linearMagFilter = true;  // read by the texture loader; nearest when clear
    bool m_blending = true;       // blending anywhere in the program
    unsigned int m_vertexBuffer, m_texCoordBuffer, m_normalBuffer, m_tangentBuffer;
    CZoModelStore m_store;
    unsigned int* m_programs;
    int m_programCount;
    unsigned int* m_textures;
    int m_textureCount;
    // Storage of the two tables above, filled by the shader and texture loaders.
    std::vector<unsigned int> m_programTable, m_textureTable;
    unsigned int m_sceneFramebuffer, m_sceneTexture;
    unsigned int m_minimapTexture, m_minimapFramebuffer, m_minimapDepth = 0;
    bool m_minimapDrawn = false;  // the minimap texture holds a picture
    // Drawn over the heads-up display as handed in by the game (the network
    // overlay); empty: nothing.
    std::vector<SImageRect> m_netOverlay;
    // The scoreboard's images while it is shown (render/ScoreboardLayout.h); empty otherwise.
    std::vector<SImageRect> m_scoreboard;
    // A notice line (render/TextLayout.h) shown until the game time given.
    std::vector<SImageRect> m_notice;
    unsigned long m_noticeUntil = 0;
    // The parts of the top panel that show, worked out from the alpha of the
    // texture named here (none at first: 0 is the name of no texture).
    std::vector<SImageRect> m_panelParts;
    unsigned int m_panelPartsTexture = ~0u;
    unsigned int m_glowFramebuffer1, m_glowFramebuffer2, m_glowFramebuffer3;
    unsigned int m_glowTexture1, m_glowTexture2, m_glowTexture3;
    unsigned int m_glowDepthTexture1, m_glowDepthTexture2, m_glowDepthTexture3;
    unsigned int m_shadowFramebuffer;
    IGameInterface* m_game;
    Vector3f m_position;
    float m_pitch, m_yaw;
    Vector3f m_direction;

    // Drawing state kept between calls: the side faces of the frame's shadow
    // volumes, counted from in front of the scene or from behind it, drawn
    // together once all are known, with an object to set the program up by
    // (reused, grown as needed), each model's triangles as a shadow caster
    // (built on first use from the vertex array named beside them), the
    // uniform locations of each program, and the vertex attribute arrays
    // enabled for "tang" (one bit per location).
    std::vector<SHomVertex> m_sideFaces, m_cappedSideFaces;
    int m_sideFacesOwner = -1;
    std::vector<std::unique_ptr<CShadowCaster> > m_shadowCasters;
    const Vector3f* m_shadowCasterVertices = 0;
    CUniformCache m_uniforms;
    unsigned int m_tangentArrays = 0;
    // The pass state last set by UsePassState; none known after ForgetPassState.
    unsigned int m_passState = 0;
    bool m_passStateKnown = false;
    // The next UsePassState sets every part of the state: something else may
    // have changed it (a new frame starts from whatever came before).
    void ForgetPassState() { m_passStateKnown = false; }
    // Game time between two minimap pictures (four a second: the corner map
    // need not follow every frame), and when the last was drawn.
    unsigned long m_minimapPeriod = 250;
    unsigned long m_minimapTime = 0;
    bool m_minimapShown = false;
    // Set by the constructor that makes the OpenGL objects: without it, a
    // change of switches touches no OpenGL state.
    bool m_context = false;
    // Which loaded textures have mipmaps, by texture number.
    std::vector<bool> m_textureMipmaps;
    SQuality m_quality = PresetQuality(PRESET_HIGH);
    // Where the model cache files are written, with a trailing slash; empty:
    // the working folder.
    std::string m_cacheFolder;
};

// The scene's depth texture (the window's size), attached to the scene framebuffer;
// the shadow volumes and shot effects read it.
extern unsigned int depth2;

// Loads the fixed scene projection (90 degrees both ways, near plane 10, no far
// plane) into the projection matrix and enables depth clamping.
void set_frustum();

#endif
