// The GL world, the texture table, pictures into textures and raw images.
#include "qgu_glImageHdlfunc.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc_internal.h"

TexInfoRec texInfo[QGU_TEXINFO_MAX];
Raw2DImgInfo Raw2DImgInfoList[QGU_RAWIMG_MAX];

namespace {
SDL_Window* TargetWindow = nullptr;
SDL_GLContext glcontext = nullptr;
GLuint lastTexPatt = 0;
bool GammaCorrectF = false;

const uint32_t kNone = 0xFFFFFFFFu;

// The registry slot of picture resID: 'PNGf', else 'JPEG'.
QGU_ResourceSlot* pictureSlot(int resID) {
  QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, resID);
  if (!s) s = qgu_getResourceInfo(QGU_RES::JPEG, resID);
  if (s && (!s->data || s->size <= 0)) return nullptr;
  return s;
}

// Decodes a picture and converts it to 32-bit pixels, bytes R, G, B, A in memory. PNG
// and JPEG data go straight to their own decoder: detection by content would hand data
// that merely carries another format's mark (an "<svg" inside a damaged JPEG) to that
// format's decoder instead.
SDL_Surface* decodeRGBA(SDL_RWops* rw) {
  if (!rw) return nullptr;
  unsigned char mark[8] = {};
  const size_t got = SDL_RWread(rw, mark, 1, sizeof mark);
  SDL_RWseek(rw, 0, RW_SEEK_SET);
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  SDL_Surface* src;
  if (got == 8 && memcmp(mark, kPng, 8) == 0)
    src = IMG_LoadPNG_RW(rw);
  else if (got >= 3 && mark[0] == 0xFF && mark[1] == 0xD8 && mark[2] == 0xFF)
    src = IMG_LoadJPG_RW(rw);
  else
    src = IMG_Load_RW(rw, 0);
  SDL_RWclose(rw);
  if (!src) return nullptr;
  SDL_Surface* fmt = SDL_CreateRGBSurface(0, 1, 1, 32, 0x000000FF, 0x0000FF00, 0x00FF0000,
                                          0xFF000000);
  SDL_Surface* out = nullptr;
  if (fmt) out = SDL_ConvertSurface(src, fmt->format, 0);
  if (fmt) SDL_FreeSurface(fmt);
  SDL_FreeSurface(src);
  if (out && (out->w <= 0 || out->h <= 0 || out->pitch != out->w * 4)) {
    SDL_FreeSurface(out);
    out = nullptr;
  }
  return out;
}

// A PNG must hold every chunk it declares, up to IEND: the decoder does not notice
// reads past the end of its source and would go on through a damaged length (up to 2 GB
// of nothing per chunk). True for data that is not PNG at all.
const unsigned char kPngSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
bool pngChunksInside(const unsigned char* p, int64_t size) {
  if (size < 8 || memcmp(p, kPngSig, 8) != 0) return true;
  int64_t at = 8;
  while (at + 12 <= size) {
    const int64_t len = (int64_t(p[at]) << 24) | (p[at + 1] << 16) | (p[at + 2] << 8) | p[at + 3];
    if (len > size - at - 12) return false;
    if (memcmp(p + at + 4, "IEND", 4) == 0) return true;
    at += 12 + len;
  }
  return false;
}

// The size a PNG (IHDR) or JPEG (first frame header) declares, within bounds no picture
// of the game comes near: a damaged size would otherwise have the decoder ask for
// gigabytes. Data whose size cannot be read here is left to the decoder.
enum { kPictureMaxSide = 8192, kPictureMaxPixels = 16 * 1024 * 1024 };
bool declaredSizeSound(const unsigned char* p, int64_t size) {
  int64_t w = -1, h = -1;
  if (size >= 24 && memcmp(p, kPngSig, 8) == 0) {
    w = (int64_t(p[16]) << 24) | (p[17] << 16) | (p[18] << 8) | p[19];
    h = (int64_t(p[20]) << 24) | (p[21] << 16) | (p[22] << 8) | p[23];
  } else if (size >= 4 && p[0] == 0xFF && p[1] == 0xD8) {
    int64_t at = 2;
    // Segments as the decoder finds them: bytes between segments are skipped up to the
    // next 0xFF, fill bytes and markers without a length are stepped over.
    while (at + 4 <= size) {
      const int marker = p[at + 1];
      if (p[at] != 0xFF || marker == 0xFF) {
        ++at;
        continue;
      }
      if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
        at += 2;
        continue;
      }
      const int64_t len = (p[at + 2] << 8) | p[at + 3];
      const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                         marker != 0xCC;
      if (frame) {
        if (at + 9 > size) break;
        h = (p[at + 5] << 8) | p[at + 6];
        w = (p[at + 7] << 8) | p[at + 8];
        break;
      }
      if (marker == 0xDA || len < 2) break;  // image data before any frame header
      at += 2 + len;
    }
  }
  if (w < 0 || h < 0) return true;
  return w <= kPictureMaxSide && h <= kPictureMaxSide && w * h <= kPictureMaxPixels;
}

// Picture records hold PNG or JPEG data; anything else (the image library would try
// every format it knows on it) is refused, and so is a PNG whose chunks run out.
bool pictureRecordSound(const unsigned char* p, int64_t size) {
  if (size > INT32_MAX) return false;
  if (!declaredSizeSound(p, size)) return false;
  if (size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return true;  // JPEG
  return size >= 8 && memcmp(p, kPngSig, 8) == 0 && pngChunksInside(p, size);
}

SDL_Surface* decodeResource(const QGU_ResourceSlot* slot) {
  if (!pictureRecordSound(static_cast<const unsigned char*>(slot->data), slot->size)) return nullptr;
  return decodeRGBA(SDL_RWFromConstMem(slot->data, (int)slot->size));
}

// Picture files are read whole first, so that a damaged PNG is refused as a record is.
SDL_Surface* decodeFile(const char* path) {
  size_t size = 0;
  void* bytes = path ? SDL_LoadFile(path, &size) : nullptr;
  if (!bytes) return nullptr;
  SDL_Surface* s = nullptr;
  const unsigned char* p = static_cast<const unsigned char*>(bytes);
  if (size <= size_t(INT32_MAX) && pngChunksInside(p, int64_t(size)) && declaredSizeSound(p, int64_t(size)))
    s = decodeRGBA(SDL_RWFromConstMem(bytes, (int)size));
  SDL_free(bytes);
  return s;
}

// Makes a GL texture of a converted surface.
GLuint uploadSurface(SDL_Surface* s, bool smooth) {
  GLuint tex = qgu_glGenTexture();
  qgu_gfx::bindTexture(tex);
  qgu_glTexFilter(smooth ? GL_LINEAR : GL_NEAREST);
  qgu_glTexImage2D(GL_RGBA, s->w, s->h, GL_RGBA, GL_UNSIGNED_BYTE, s->pixels);
  return tex;
}

// Enters a texture in the table. Names beyond the table stay usable for drawing but are
// not recorded (look-ups will not find them).
void recordTexture(GLuint tex, uint32_t resID, uint32_t fileID, bool setFileID, int w, int h) {
  if (tex == 0 || tex >= QGU_TEXINFO_MAX) {
    printf("Texture table is full. ( TEX#: %u )\n", tex);
    return;
  }
  TexInfoRec& r = texInfo[tex];
  r.name = tex;
  r.resID = resID;
  if (setFileID) r.fileID = fileID;
  r.width = (uint32_t)w;
  r.height = (uint32_t)h;
}

Raw2DImgInfo* freeRawRecord() {
  for (int i = 0; i < QGU_RAWIMG_MAX; i++)
    if (Raw2DImgInfoList[i].pixels == nullptr) return &Raw2DImgInfoList[i];
  return nullptr;
}

// Cuts a converted surface into cells and fills a free record. Null when the list is
// full or the picture holds no whole cell; the surface stays the caller's.
Raw2DImgInfo* makeRawImage(SDL_Surface* s, int cellWidth, int cellHeight) {
  if (cellWidth == 0) cellWidth = s->w;
  if (cellHeight == 0) cellHeight = s->h;
  if (cellWidth < 0 || cellHeight < 0) return nullptr;
  int cols = s->w / cellWidth, rows = s->h / cellHeight;
  if (cols <= 0 || rows <= 0) return nullptr;
  Raw2DImgInfo* rec = freeRawRecord();
  if (!rec) {
    printf("Raw image list is full.\n");
    return nullptr;
  }
  size_t rowBytes = (size_t)cellWidth * 4;
  unsigned char* buf = (unsigned char*)malloc(rowBytes * cellHeight * rows * cols);
  if (!buf) return nullptr;
  unsigned char* dst = buf;
  const unsigned char* src = (const unsigned char*)s->pixels;
  for (int cy = 0; cy < rows; cy++)
    for (int cx = 0; cx < cols; cx++)
      for (int py = 0; py < cellHeight; py++) {
        memcpy(dst, src + (size_t)(cy * cellHeight + py) * s->pitch + (size_t)cx * rowBytes,
               rowBytes);
        dst += rowBytes;
      }
  uint32_t index = (uint32_t)(rec - Raw2DImgInfoList);
  memset(rec, 0, sizeof(*rec));
  rec->pixels = buf;
  rec->pixels2 = buf;
  rec->index = index;
  rec->cellWidth = (uint32_t)cellWidth;
  rec->cellHeight = (uint32_t)cellHeight;
  rec->format = GL_RGBA;
  rec->bytesPerPixel = 4;
  rec->cellCount = (uint32_t)(rows * cols);
  return rec;
}
}  // namespace

// ---- Bind cache -------------------------------------------------------------------
namespace qgu_gfx {
void bindTexture(GLuint tex) {
  qgu_glBindTexture(tex);
  lastTexPatt = tex;
}
void boundTexSize(int* w, int* h) {
  GLint tw = 0, th = 0;
  qgu_glGetBoundTexSize(&tw, &th);
  *w = tw;
  *h = th;
}
}  // namespace qgu_gfx

GLuint qgu_lastTexPatt() { return lastTexPatt; }
void qgu_forgetBoundTexture() { lastTexPatt = 0; }

// ---- Window and frame --------------------------------------------------------------
void qgu_fullScreenViewport(int w, int h, int out[4]) {
  if (w > h) {  // 4:3 pillar box
    out[0] = w / 2 - (4 * h) / 6;
    out[1] = 0;
    out[2] = (4 * h) / 3;
    out[3] = h;
  } else {  // 4:3 letter box
    out[0] = 0;
    out[1] = h / 2 - (3 * w) / 8;
    out[2] = w;
    out[3] = (3 * w) / 4;
  }
}

void qgu_initNewGLworld(const char* title, rRect rect, int fullScreen) {
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(0, &bounds) != 0) {
    SDL_Log("SDL_GetDisplayBounds");
    return;
  }
  if (fullScreen == 0)
    TargetWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    rect.right - rect.left, rect.bottom - rect.top,
                                    SDL_WINDOW_OPENGL);
  else
    TargetWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    bounds.w, bounds.h,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (!TargetWindow) {
    SDL_Log("SDL_CreateWindow: %s", SDL_GetError());
    return;
  }
  glcontext = SDL_GL_CreateContext(TargetWindow);
  if (!glcontext) {
    SDL_Log("SDL_GL_CreateContext: %s", SDL_GetError());
    return;
  }
  SDL_GL_SetSwapInterval(1);
  lastTexPatt = 0;
  qgu_glResetStateCache();

  qgu_glClearColor(0.0, 0.2, 0.0, 0.0);
  qgu_glMatrixMode(GL_PROJECTION);
  qgu_glLoadIdentity();
  qgu_glOrtho(0, QGU_SCREEN_W, QGU_SCREEN_H, 0, -200, 200);
  qgu_glMatrixMode(GL_MODELVIEW);
  qgu_glLoadIdentity();

  if (fullScreen == 0) {
    qgu_glViewport(0, 0, rect.right, rect.bottom);
  } else {
    int vp[4];
    qgu_fullScreenViewport(bounds.w, bounds.h, vp);
    qgu_glViewport(vp[0], vp[1], vp[2], vp[3]);
  }
}

void qgu_startGLdraw() {}
void qgu_endGLdraw() {
  if (TargetWindow) SDL_GL_SwapWindow(TargetWindow);
}
SDL_Window* qgu_getTargetWindow() { return TargetWindow; }

void qgu_initGLImageHdlfunc() {
  IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
  GammaCorrectF = true;
}
void qgu_setGammmaCorrect(bool flag) { GammaCorrectF = flag; }
bool qgu_getGammmaCorrect() { return GammaCorrectF; }

// ---- Pixels ---------------------------------------------------------------------------
void qgu_brightenAndKey(SDL_Surface* s, bool brighten, bool key) {
  if (!s || !s->pixels || s->w <= 0 || s->h <= 0) return;
  int bpp = s->pitch / s->w;
  if (bpp < 3) return;
  if (bpp != 4) key = false;
  bool locked = SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0;
  unsigned char* p0 = (unsigned char*)s->pixels;
  unsigned char kr = p0[0], kg = p0[1], kb = p0[2];
  for (int y = 0; y < s->h; y++) {
    unsigned char* p = p0 + (size_t)y * s->pitch;
    for (int x = 0; x < s->w; x++, p += bpp) {
      bool match = key && p[0] == kr && p[1] == kg && p[2] == kb;
      if (brighten) {
        p[0] = GmCnvTbl[p[0]];
        p[1] = GmCnvTbl[p[1]];
        p[2] = GmCnvTbl[p[2]];
      }
      if (match) p[3] = 0;
    }
  }
  if (locked) SDL_UnlockSurface(s);
}

// ---- Textures -------------------------------------------------------------------------
int qgu_NewTextureFromPicRes(int resID, GLuint* texOut, bool smooth, bool colourKey) {
  QGU_ResourceSlot* slot = pictureSlot(resID);
  if (!slot) {
    printf("Resource was not found. ( resID:%d )\n", resID);
    return -1;
  }
  uint32_t fileID = (uint32_t)slot->containerID;
  int again = qgu_getTexIDfromResnum(resID, fileID);
  if (again > 0) {
    if (texOut) *texOut = (GLuint)again;
    printf("Texture image ref again. ( resID:%d FileID:%u TEX#: %d))\n", resID,
           texInfo[again].fileID, again);
    return 0;
  }
  SDL_Surface* s = decodeResource(slot);
  if (!s) {
    printf("Can't make texture. rsrc#( 0x%x )\n", resID);
    return -1;
  }
  printf("Image rsrc read succeed. ( %d )\n", resID);
  qgu_brightenAndKey(s, GammaCorrectF, colourKey);
  GLuint tex = uploadSurface(s, smooth);
  recordTexture(tex, (uint32_t)resID, fileID, true, s->w, s->h);
  SDL_FreeSurface(s);
  if (texOut) *texOut = tex;
  printf("New texture was created. ( 0x%x )\n", resID);
  return 0;
}

namespace {
int textureFromFile(const char* path, GLuint* texOut, bool smooth, bool colourKey, bool brighten) {
  SDL_Surface* s = decodeFile(path);
  if (!s) {
    printf("Image load Error. ( %s )\n", path ? path : "");
    return -1;
  }
  printf("Image file load Succeed. ( %s )\n", path);
  qgu_brightenAndKey(s, brighten, colourKey);
  GLuint tex = uploadSurface(s, smooth);
  recordTexture(tex, kNone, 0, false, s->w, s->h);
  SDL_FreeSurface(s);
  if (texOut) *texOut = tex;
  return 0;
}
}  // namespace

int qgu_NewTextureFromPicFile(const char* path, GLuint* texOut, bool smooth, bool colourKey) {
  return textureFromFile(path, texOut, smooth, colourKey, true);
}

int qgu_NewTextureFromPicFileAsSet(const char* path, GLuint* texOut, bool smooth) {
  return textureFromFile(path, texOut, smooth, false, GammaCorrectF);
}

int qgu_NewFreeTexture(int width, int height, GLuint* texOut, GLenum format, bool smooth) {
  if (width <= 0 || height <= 0) return -1;
  // Starts fully transparent, so unfilled parts never show stale memory.
  void* buf = calloc((size_t)width * height, 4);
  if (!buf) return -1;
  GLuint tex = qgu_glGenTexture();
  qgu_gfx::bindTexture(tex);
  qgu_glTexFilter(smooth ? GL_LINEAR : GL_NEAREST);
  qgu_glTexImage2D((GLint)format, width, height, format, GL_UNSIGNED_BYTE, buf);
  free(buf);
  if (texOut) *texOut = tex;
  return 0;
}

int qgu_getTexIDfromResnum(int resID, uint32_t fileID) {
  for (int i = 1; i < QGU_TEXINFO_MAX; i++) {
    const TexInfoRec& r = texInfo[i];
    if (r.name != (uint32_t)i || r.resID != (uint32_t)resID) continue;
    if (fileID == 0 || r.fileID == fileID) return i;
  }
  return -1;
}

static void sizeRect(const TexInfoRec& r, rRect* out) {
  out->top = 0;
  out->left = 0;
  out->bottom = (int32_t)r.height;
  out->right = (int32_t)r.width;
}

int qgu_getTexRectfromResnum(int resID, rRect* rectOut) {
  for (int i = 1; i < QGU_TEXINFO_MAX; i++) {
    if (texInfo[i].name == (uint32_t)i && texInfo[i].resID == (uint32_t)resID) {
      if (rectOut) sizeRect(texInfo[i], rectOut);
      return 0;
    }
  }
  if (rectOut) *rectOut = rRect{0, 0, 0, 0};
  return -1;
}

TexInfoRec* qgu_getTexInfo(GLuint tex) {
  if (tex == 0 || tex >= QGU_TEXINFO_MAX || texInfo[tex].name != tex) return nullptr;
  return &texInfo[tex];
}

int qgu_getTexRect(GLuint tex, rRect* rectOut) {
  TexInfoRec* r = qgu_getTexInfo(tex);
  if (!r) {
    if (rectOut) *rectOut = rRect{0, 0, 0, 0};
    return -1;
  }
  if (rectOut) sizeRect(*r, rectOut);
  return 0;
}

int qgu_DisposeTex(GLuint tex) {
  qgu_glDeleteTexture(tex);
  if (tex == lastTexPatt) lastTexPatt = 0;
  if (tex < QGU_TEXINFO_MAX) {
    texInfo[tex].name = kNone;
    texInfo[tex].resID = kNone;
  }
  return 0;
}

// ---- Raw images -----------------------------------------------------------------------
Raw2DImgInfo* qgu_NewRawImageFromPicRes(int resID, int cellWidth, int cellHeight) {
  QGU_ResourceSlot* slot = pictureSlot(resID);
  SDL_Surface* s = slot ? decodeResource(slot) : nullptr;
  if (!s) {
    printf("Read rsrc image by raw error. ( %x )\n", resID);
    return nullptr;
  }
  printf("Read rsrc image by raw Succeed. ( 0x%x )\n", resID);
  qgu_brightenAndKey(s, GammaCorrectF, false);
  Raw2DImgInfo* rec = makeRawImage(s, cellWidth, cellHeight);
  SDL_FreeSurface(s);
  if (rec) {
    rec->resID = (uint32_t)resID;
    rec->fileID = (uint32_t)slot->containerID;
  }
  return rec;
}

Raw2DImgInfo* qgu_NewRawImageFromPicName(const char* path, int cellWidth, int cellHeight) {
  SDL_Surface* s = decodeFile(path);
  if (!s) {
    printf("Image file open error. ( %s )\n", path ? path : "");
    return nullptr;
  }
  printf("Image file read Succeed. ( %s )\n", path);
  qgu_brightenAndKey(s, GammaCorrectF, true);
  Raw2DImgInfo* rec = makeRawImage(s, cellWidth, cellHeight);
  SDL_FreeSurface(s);
  // Not a resource picture: never found again by resource number.
  if (rec) rec->resID = rec->fileID = kNone;
  return rec;
}

Raw2DImgInfo* qgu_GetRawImageInfoReorg(int resID, int cellWidth, int cellHeight) {
  QGU_ResourceSlot* slot = pictureSlot(resID);
  if (slot) {
    uint32_t fileID = (uint32_t)slot->containerID;
    for (int i = 0; i < QGU_RAWIMG_MAX; i++) {
      Raw2DImgInfo& r = Raw2DImgInfoList[i];
      if (r.pixels && r.resID == (uint32_t)resID && r.fileID == fileID) {
        printf("Raw image ref again. ( resID:%d FileID:%u RAW#: %d))\n", resID, fileID, i);
        return &r;
      }
    }
  }
  Raw2DImgInfo* rec = qgu_NewRawImageFromPicRes(resID, cellWidth, cellHeight);
  if (rec)
    printf("Gen new Raw image. ( resID:%d FileID:%u Width#: %d)\n", resID, rec->fileID,
           (int)rec->cellWidth);
  return rec;
}

Raw2DImgInfo* qgu_GetRawImageInfo(int resID) { return qgu_GetRawImageInfoReorg(resID, 0, 0); }

int qgu_PurgeRawImage(void* pixels) {
  if (!pixels) return 0;
  for (int i = 0; i < QGU_RAWIMG_MAX; i++) {
    Raw2DImgInfo& r = Raw2DImgInfoList[i];
    if (r.pixels == pixels) {
      free(r.pixels2);
      memset(&r, 0, sizeof(r));
      return 1;
    }
  }
  return 0;
}

int qgu_PutRowImageToTex(Raw2DImgInfo* raw, GLuint tex, int x, int y, int cell) {
  if (!raw || !raw->pixels || cell < 0 || (uint32_t)cell >= raw->cellCount) return -1;
  size_t cellBytes = (size_t)raw->cellWidth * raw->cellHeight * raw->bytesPerPixel;
  qgu_gfx::bindTexture(tex);
  qgu_glTexSubImage2D(x, y, (int)raw->cellWidth, (int)raw->cellHeight, raw->format,
                      GL_UNSIGNED_BYTE, (const unsigned char*)raw->pixels + cell * cellBytes);
  (void)qgu_glGetError();
  return 0;
}
