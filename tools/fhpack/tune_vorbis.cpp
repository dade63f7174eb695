// Ogg Vorbis encoding of a rendered tune with libvorbisenc.
#include "tune_song.h"

#include <vorbis/vorbisenc.h>

#include <cstring>

namespace fhaudio {

namespace {
constexpr float kQuality = 0.3f; // about 56 kbit/s at 22,050 Hz stereo: clean for chiptune-style music
constexpr int kBlock = 1024;

void appendPage(const ogg_page& pg, std::vector<uint8_t>& out) {
    out.insert(out.end(), pg.header, pg.header + pg.header_len);
    out.insert(out.end(), pg.body, pg.body + pg.body_len);
}
} // namespace

bool encodeOggVorbis(const std::vector<float>& stereo, const std::string& title, uint32_t serial,
                     std::vector<uint8_t>& out) {
    out.clear();
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, kSampleRate, kQuality) != 0) {
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    if (!title.empty()) vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&vc, "ALBUM", "Fernhollow");

    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, static_cast<int>(serial & 0x7FFFFFFF));

    ogg_packet hdr, hdrComm, hdrCode;
    vorbis_analysis_headerout(&vd, &vc, &hdr, &hdrComm, &hdrCode);
    ogg_stream_packetin(&os, &hdr);
    ogg_stream_packetin(&os, &hdrComm);
    ogg_stream_packetin(&os, &hdrCode);
    ogg_page pg;
    while (ogg_stream_flush(&os, &pg) != 0) appendPage(pg, out);

    const size_t frames = stereo.size() / 2;
    size_t pos = 0;
    bool eos = false;
    while (!eos) {
        const size_t n = std::min<size_t>(kBlock, frames - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i) {
                buf[0][i] = stereo[2 * (pos + i)];
                buf[1][i] = stereo[2 * (pos + i) + 1];
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &pg) != 0) {
                    appendPage(pg, out);
                    if (ogg_page_eos(&pg)) eos = true;
                }
            }
        }
        if (n == 0 && !eos) {
            // Everything is written; flush whatever the stream still holds.
            while (ogg_stream_flush(&os, &pg) != 0) appendPage(pg, out);
            eos = true;
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return !out.empty();
}

} // namespace fhaudio
