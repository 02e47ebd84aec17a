// Decodes the PNG files the checks compare (chromium's screenshots and
// marobel-sim's frames): 8-bit RGB or RGBA, not interlaced, into RGB pixels.
import { inflateSync } from "node:zlib";

export function decodePng(bytes) {
  const signature = "89504e470d0a1a0a";
  if (bytes.subarray(0, 8).toString("hex") !== signature) throw new Error("not a PNG file");
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString("latin1", at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const depth = body[8], colour = body[9], interlace = body[12];
      if (depth !== 8 || interlace !== 0 || (colour !== 2 && colour !== 6))
        throw new Error(`unsupported PNG: depth ${depth}, colour type ${colour}, interlace ${interlace}`);
      channels = colour === 6 ? 4 : 3;
    } else if (type === "IDAT") {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? rows[(y - 1) * stride + x - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = left;
      else if (filter === 2) predicted = up;
      else if (filter === 3) predicted = (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - upLeft;
        const pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - upLeft);
        predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
      } else if (filter !== 0) throw new Error(`bad PNG filter ${filter}`);
      rows[y * stride + x] = (line[x] + predicted) & 0xff;
    }
  }
  return {
    width,
    height,
    // [r, g, b] of pixel (x, y)
    at(x, y) {
      const i = (y * width + x) * channels;
      return [rows[i], rows[i + 1], rows[i + 2]];
    },
    alpha(x, y) {
      return channels === 4 ? rows[(y * width + x) * 4 + 3] : 255;
    },
  };
}

// Counts the pixels of the rectangle [x0, x1) x [y0, y1) that `test` accepts.
export function countPixels(image, x0, y0, x1, y1, test) {
  let count = 0;
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x)
      if (test(image.at(x, y))) ++count;
  return count;
}

// The first pixel of the rectangle where two images differ, or null.
export function firstDifference(a, b, x0, y0, x1, y1) {
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x) {
      const p = a.at(x, y), q = b.at(x, y);
      if (p[0] !== q[0] || p[1] !== q[1] || p[2] !== q[2]) return { x, y, page: p, native: q };
    }
  return null;
}
