#include "app/sim/video_writer.h"

#include "formats/whole_file.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// Both audio encoders take mono floats; 16-bit is the fallback for an
// encoder that takes nothing else.
AVSampleFormat PickSampleFormat(const AVCodec* codec) {
  if (!codec->sample_fmts) return AV_SAMPLE_FMT_FLTP;
  for (const AVSampleFormat wanted : {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_FLT, AV_SAMPLE_FMT_S16})
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
      if (*f == wanted) return wanted;
  return AV_SAMPLE_FMT_NONE;
}

}  // namespace

struct VideoWriter::State {
  Settings settings;
  // The encoder writes the file by its temporary name; the file takes the
  // video's name whole when finished, and is removed when not.
  WholeFile file;
  std::string partialPath;
  AVFormatContext* container = nullptr;
  AVCodecContext* video = nullptr;
  AVStream* videoStream = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* audioStream = nullptr;
  SwsContext* scaler = nullptr;
  AVFrame* picture = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  std::vector<float> pendingAudio;  // less than one audio frame
  std::int64_t framesSent = 0;
  std::int64_t samplesSent = 0;
  bool fileOpen = false;
  bool finished = false;

  ~State() {
    if (fileOpen) avio_closep(&container->pb);
    av_packet_free(&packet);
    av_frame_free(&sound);
    av_frame_free(&picture);
    sws_freeContext(scaler);
    avcodec_free_context(&audio);
    avcodec_free_context(&video);
    avformat_free_context(container);
  }

  std::string Fail(const std::string& what, int code = 0) const {
    return settings.path + ": " + what + (code < 0 ? " (" + AvError(code) + ")" : "");
  }

  bool OpenVideoEncoder(std::string& error);
  bool OpenAudioEncoder(std::string& error);
  AVStream* AddStream(AVCodecContext* context, std::string& error);
  bool Send(AVCodecContext* context, AVStream* stream, const AVFrame* frame, std::string& error);
  bool SendAudioFrame(std::size_t count, std::string& error);
};

AVStream* VideoWriter::State::AddStream(AVCodecContext* context, std::string& error) {
  AVStream* stream = avformat_new_stream(container, nullptr);
  if (!stream) {
    error = Fail("cannot add a stream to the video");
    return nullptr;
  }
  const int rc = avcodec_parameters_from_context(stream->codecpar, context);
  if (rc < 0) {
    error = Fail("cannot describe a stream of the video", rc);
    return nullptr;
  }
  stream->time_base = context->time_base;
  return stream;
}

bool VideoWriter::State::OpenVideoEncoder(std::string& error) {
  const bool mp4 = settings.format == VideoFormat::Mp4;
  const char* name = mp4 ? "libx264" : "libvpx-vp9";
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (!codec) {
    error = Fail(std::string("this FFmpeg has no ") + name + " encoder");
    return false;
  }
  video = avcodec_alloc_context3(codec);
  if (!video) {
    error = Fail("out of memory");
    return false;
  }
  video->width = settings.width;
  video->height = settings.height;
  video->time_base = AVRational{1, settings.framesPerSecond};
  video->framerate = AVRational{settings.framesPerSecond, 1};
  video->pix_fmt = AV_PIX_FMT_YUV420P;
  video->gop_size = settings.framesPerSecond * 10;  // a key frame every ten seconds, for seeking
  // The scaler below converts with the BT.601 matrix into the limited range;
  // saying so keeps players from guessing otherwise.
  video->colorspace = AVCOL_SPC_SMPTE170M;
  video->color_primaries = AVCOL_PRI_SMPTE170M;
  video->color_trc = AVCOL_TRC_SMPTE170M;
  video->color_range = AVCOL_RANGE_MPEG;
  if (container->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

  // Constant quality: the picture is small, sharp-edged sprite art, and a
  // fixed bit rate would smear the coins whenever many of them move.
  AVDictionary* options = nullptr;
  if (mp4) {
    av_dict_set(&options, "preset", "medium", 0);
    av_dict_set(&options, "crf", "18", 0);
  } else {
    video->bit_rate = 0;
    av_dict_set(&options, "crf", "24", 0);
    av_dict_set(&options, "deadline", "good", 0);
    av_dict_set(&options, "cpu-used", "4", 0);
    av_dict_set(&options, "row-mt", "1", 0);
  }
  const int rc = avcodec_open2(video, codec, &options);
  av_dict_free(&options);
  if (rc < 0) {
    error = Fail(std::string("cannot start the ") + name + " encoder", rc);
    return false;
  }
  videoStream = AddStream(video, error);
  if (!videoStream) return false;

  picture = av_frame_alloc();
  if (!picture) {
    error = Fail("out of memory");
    return false;
  }
  picture->format = video->pix_fmt;
  picture->width = video->width;
  picture->height = video->height;
  if (const int got = av_frame_get_buffer(picture, 0); got < 0) {
    error = Fail("cannot allocate a picture", got);
    return false;
  }
  scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_0RGB32, settings.width, settings.height,
                          AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr,
                          nullptr);
  if (!scaler) {
    error = Fail("cannot convert pictures for the video");
    return false;
  }
  return true;
}

bool VideoWriter::State::OpenAudioEncoder(std::string& error) {
  const bool mp4 = settings.format == VideoFormat::Mp4;
  const char* name = mp4 ? "aac" : "libopus";
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (!codec) {
    error = Fail(std::string("this FFmpeg has no ") + name + " encoder");
    return false;
  }
  audio = avcodec_alloc_context3(codec);
  if (!audio) {
    error = Fail("out of memory");
    return false;
  }
  audio->sample_rate = kAudioRate;
  audio->sample_fmt = PickSampleFormat(codec);
  av_channel_layout_default(&audio->ch_layout, 1);
  audio->bit_rate = mp4 ? 96000 : 64000;
  audio->time_base = AVRational{1, kAudioRate};
  if (container->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (audio->sample_fmt == AV_SAMPLE_FMT_NONE) {
    error = Fail(std::string("the ") + name + " encoder takes no sample format this program writes");
    return false;
  }
  const int rc = avcodec_open2(audio, codec, nullptr);
  if (rc < 0) {
    error = Fail(std::string("cannot start the ") + name + " encoder", rc);
    return false;
  }
  audioStream = AddStream(audio, error);
  if (!audioStream) return false;

  sound = av_frame_alloc();
  if (!sound) {
    error = Fail("out of memory");
    return false;
  }
  sound->format = audio->sample_fmt;
  sound->sample_rate = audio->sample_rate;
  sound->nb_samples = audio->frame_size > 0 ? audio->frame_size : 1024;
  av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout);
  if (const int got = av_frame_get_buffer(sound, 0); got < 0) {
    error = Fail("cannot allocate a sound frame", got);
    return false;
  }
  return true;
}

bool VideoWriter::State::Send(AVCodecContext* context, AVStream* stream, const AVFrame* frame, std::string& error) {
  int rc = avcodec_send_frame(context, frame);
  if (rc < 0) {
    error = Fail("the encoder failed", rc);
    return false;
  }
  for (;;) {
    rc = avcodec_receive_packet(context, packet);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) {
      error = Fail("the encoder failed", rc);
      return false;
    }
    // Every picture lasts one tick, the last one included.
    if (context == video && packet->duration == 0) packet->duration = 1;
    av_packet_rescale_ts(packet, context->time_base, stream->time_base);
    packet->stream_index = stream->index;
    rc = av_interleaved_write_frame(container, packet);
    if (rc < 0) {
      error = Fail("cannot write the video", rc);
      return false;
    }
  }
}

bool VideoWriter::State::SendAudioFrame(std::size_t count, std::string& error) {
  const int rc = av_frame_make_writable(sound);
  if (rc < 0) {
    error = Fail("cannot allocate a sound frame", rc);
    return false;
  }
  const std::size_t capacity = static_cast<std::size_t>(sound->nb_samples);
  const bool shortFrameAllowed =
      audio->codec->capabilities & (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
  const std::size_t frameSamples = shortFrameAllowed ? count : capacity;
  if (audio->sample_fmt == AV_SAMPLE_FMT_S16) {
    auto* out = reinterpret_cast<std::int16_t*>(sound->data[0]);
    for (std::size_t i = 0; i < frameSamples; ++i) {
      const float v = i < count ? std::clamp(pendingAudio[i], -1.0f, 1.0f) : 0.0f;
      out[i] = static_cast<std::int16_t>(v * 32767.0f);
    }
  } else {
    auto* out = reinterpret_cast<float*>(sound->data[0]);
    std::copy_n(pendingAudio.begin(), count, out);
    std::fill(out + count, out + frameSamples, 0.0f);
  }
  const int fullSize = sound->nb_samples;
  sound->nb_samples = static_cast<int>(frameSamples);
  sound->pts = samplesSent;
  samplesSent += static_cast<std::int64_t>(frameSamples);
  const bool sent = Send(audio, audioStream, sound, error);
  sound->nb_samples = fullSize;
  pendingAudio.erase(pendingAudio.begin(), pendingAudio.begin() + static_cast<std::ptrdiff_t>(count));
  return sent;
}

VideoWriter::VideoWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

VideoWriter::~VideoWriter() = default;

std::unique_ptr<VideoWriter> VideoWriter::Open(const Settings& settings, std::string& error) {
  // The libraries' own chatter (encoder banners, statistics) stays off the
  // runner's standard error; real failures still show.
  av_log_set_level(AV_LOG_ERROR);

  auto s = std::make_unique<State>();
  s->settings = settings;
  if (!s->file.Open(settings.path, error)) return nullptr;
  s->partialPath = s->file.WritePath().string();
  const char* muxer = settings.format == VideoFormat::Mp4 ? "mp4" : "webm";
  int rc = avformat_alloc_output_context2(&s->container, nullptr, muxer, s->partialPath.c_str());
  if (rc < 0 || !s->container) {
    error = s->Fail("cannot set up the video container", rc);
    return nullptr;
  }
  s->packet = av_packet_alloc();
  if (!s->packet) {
    error = s->Fail("out of memory");
    return nullptr;
  }
  if (!s->OpenVideoEncoder(error) || !s->OpenAudioEncoder(error)) return nullptr;

  rc = avio_open(&s->container->pb, s->partialPath.c_str(), AVIO_FLAG_WRITE);
  if (rc < 0) {
    error = settings.path + ": cannot open the video for writing (" + AvError(rc) + ")";
    return nullptr;
  }
  s->fileOpen = true;
  AVDictionary* options = nullptr;
  // The index goes first, so a player can start before the whole file is read.
  if (settings.format == VideoFormat::Mp4) av_dict_set(&options, "movflags", "+faststart", 0);
  rc = avformat_write_header(s->container, &options);
  av_dict_free(&options);
  if (rc < 0) {
    error = s->Fail("cannot write the video's header", rc);
    return nullptr;
  }
  return std::unique_ptr<VideoWriter>(new VideoWriter(std::move(s)));
}

bool VideoWriter::AddFrame(const std::uint32_t* pixels, int rowPixels, std::string& error) {
  State& s = *state_;
  const int rc = av_frame_make_writable(s.picture);
  if (rc < 0) {
    error = s.Fail("cannot allocate a picture", rc);
    return false;
  }
  const std::uint8_t* source[1] = {reinterpret_cast<const std::uint8_t*>(pixels)};
  const int sourceStride[1] = {rowPixels * 4};
  sws_scale(s.scaler, source, sourceStride, 0, s.settings.height, s.picture->data, s.picture->linesize);
  s.picture->pts = s.framesSent++;
  return s.Send(s.video, s.videoStream, s.picture, error);
}

bool VideoWriter::AddAudio(const float* samples, std::size_t count, std::string& error) {
  State& s = *state_;
  s.pendingAudio.insert(s.pendingAudio.end(), samples, samples + count);
  const std::size_t frame = static_cast<std::size_t>(s.sound->nb_samples);
  while (s.pendingAudio.size() >= frame)
    if (!s.SendAudioFrame(frame, error)) return false;
  return true;
}

bool VideoWriter::Finish(std::string& error) {
  State& s = *state_;
  if (!s.pendingAudio.empty() && !s.SendAudioFrame(s.pendingAudio.size(), error)) return false;
  if (!s.Send(s.video, s.videoStream, nullptr, error) || !s.Send(s.audio, s.audioStream, nullptr, error)) return false;
  int rc = av_write_trailer(s.container);
  if (rc < 0) {
    error = s.Fail("cannot complete the video", rc);
    return false;
  }
  const int writeError = s.container->pb->error;
  rc = avio_closep(&s.container->pb);
  s.fileOpen = false;
  if (writeError < 0 || rc < 0) {
    error = s.Fail("cannot write the video", writeError < 0 ? writeError : rc);
    return false;
  }
  if (!s.file.Commit(error)) return false;
  s.finished = true;
  return true;
}
